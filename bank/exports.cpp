// The component's entry point and its four exports.
#include <windows.h>
#include <ole2.h>

#include "bank/component_classes.h"
#include "platform/win32/module.h"
#include "server/module_lock.h"
#include "server/registration.h"
#include "server/type_library.h"

namespace {
HINSTANCE componentModule = nullptr;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        componentModule = instance;
        // String resources come from this module, not from the host's executable.
        platform::SetModuleInstance(instance);
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        ComponentClasses().ReleaseClassObjects();
        ReleaseComponentTypeLibrary();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    return ComponentClasses().GetClassObject(clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return RegisterComponent(componentModule, ComponentClasses()); }

STDAPI DllUnregisterServer() { return UnregisterComponent(componentModule, ComponentClasses()); }
