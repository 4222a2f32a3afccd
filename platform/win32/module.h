#pragma once
#include <windows.h>

namespace platform {

// The module whose resources LoadStringResource reads: the DLL once its entry point has run,
// otherwise the executable.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

}  // namespace platform
