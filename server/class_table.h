#pragma once
// The classes a module serves, in registration order, and their class objects, each made on
// first request and cached for the module's life. The module names its classes; the frame only
// serves and registers what it is given.
#include <cstddef>
#include <windows.h>
#include <comcat.h>

#include "server/class_factory.h"

struct ComponentClass {
    const CLSID* clsid;
    unsigned registryScript;  // REGISTRY resource run to register and unregister the class
    IClassFactory* (*createClassObject)() noexcept;
    const CATID* implementedCategories;
    std::size_t implementedCategoryCount;
};

// The class object of class T, for ComponentClass::createClassObject.
template <class T>
IClassFactory* CreateClassObject() noexcept {
    return ClassFactory<T>::CreateCached();
}

class ClassTable {
public:
    // Both arrays live as long as the module; `cache` starts empty, one slot per class.
    template <std::size_t N>
    constexpr ClassTable(const ComponentClass (&classes)[N], IClassFactory* volatile (&cache)[N]) noexcept
        : classes_(classes), cache_(cache), count_(N) {}

    const ComponentClass* begin() const noexcept { return classes_; }
    const ComponentClass* end() const noexcept { return classes_ + count_; }

    // DllGetClassObject: CLASS_E_CLASSNOTAVAILABLE for a class not in the table.
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const noexcept;

    // Lets go of the cached class objects (module end).
    void ReleaseClassObjects() const noexcept;

private:
    IClassFactory* CachedClassObject(std::size_t slot) const noexcept;

    const ComponentClass* classes_;
    IClassFactory* volatile* cache_;
    std::size_t count_;
};
