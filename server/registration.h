#pragma once
// What DllRegisterServer and DllUnregisterServer do: each class's registry script and categories
// in table order, then the type library. The first failure ends the call with its HRESULT.
#include <windows.h>

#include "server/class_table.h"

HRESULT RegisterComponent(HINSTANCE module, const ClassTable& classes) noexcept;
HRESULT UnregisterComponent(HINSTANCE module, const ClassTable& classes) noexcept;
