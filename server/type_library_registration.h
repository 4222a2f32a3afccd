#pragma once
// Registration of the component's type library. The library carries the host framework's base
// interfaces as well as the component's own, so registering it would make the component the
// owner of HKCR\Interface\{IID} for every one of them. Where such a key already belongs to
// another library (the host's own), it is kept exactly as it was, through registration and
// unregistration; unregistration removes only the interface keys that name this library.
#include <string>

// Both raise the failing HRESULT as a long.
void RegisterComponentTypeLibrary(const std::wstring& modulePath);
void UnregisterComponentTypeLibrary(const std::wstring& modulePath);
