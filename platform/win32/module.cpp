#include "platform/win32/module.h"

namespace platform {
namespace {
HINSTANCE moduleInstance = nullptr;
}

HINSTANCE ModuleInstance() { return moduleInstance ? moduleInstance : GetModuleHandleA(nullptr); }
void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }

}  // namespace platform
