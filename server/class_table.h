#pragma once
// The component's four classes, in registration order, and their class objects, each made on
// first request and cached for the module's life.
#include <cstddef>
#include <windows.h>
#include <comcat.h>

struct ComponentClass {
    const CLSID* clsid;
    unsigned registryScript;  // REGISTRY resource run to register and unregister the class
    IClassFactory* (*createClassObject)() noexcept;
    const CATID* implementedCategories;
    std::size_t implementedCategoryCount;
};

const ComponentClass* ComponentClassesBegin() noexcept;
const ComponentClass* ComponentClassesEnd() noexcept;

// DllGetClassObject: CLASS_E_CLASSNOTAVAILABLE for a class not in the table.
HRESULT GetComponentClassObject(REFCLSID clsid, REFIID iid, void** out) noexcept;

// Lets go of the cached class objects (module end).
void ReleaseComponentClassObjects() noexcept;
