#include "server/class_table.h"

// Each slot is filled once, with a compare-and-swap, since apartments may race.
IClassFactory* ClassTable::CachedClassObject(std::size_t slot) const noexcept {
    IClassFactory* const present = cache_[slot];
    if (present) return present;
    IClassFactory* const created = classes_[slot].createClassObject();
    if (!created) return nullptr;
    void* const previous =
        ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&cache_[slot]), created, nullptr);
    if (!previous) return created;
    created->Release();
    return static_cast<IClassFactory*>(previous);
}

HRESULT ClassTable::GetClassObject(REFCLSID clsid, REFIID iid, void** out) const noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (std::size_t slot = 0; slot < count_; ++slot) {
        if (!::IsEqualCLSID(clsid, *classes_[slot].clsid)) continue;
        IClassFactory* const classObject = CachedClassObject(slot);
        if (!classObject) return E_OUTOFMEMORY;
        return classObject->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

void ClassTable::ReleaseClassObjects() const noexcept {
    for (std::size_t slot = 0; slot < count_; ++slot) {
        void* const held = ::InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&cache_[slot]), nullptr);
        if (held) static_cast<IClassFactory*>(held)->Release();
    }
}
