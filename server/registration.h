#pragma once
// What DllRegisterServer and DllUnregisterServer do: each class's registry script and categories
// in table order, then the type library. The first failure ends the call with its HRESULT.
#include <windows.h>

HRESULT RegisterComponent(HINSTANCE module) noexcept;
HRESULT UnregisterComponent(HINSTANCE module) noexcept;
