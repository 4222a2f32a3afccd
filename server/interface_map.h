#pragma once
#include <cstddef>
#include <windows.h>
#include <unknwn.h>

// One interface an object answers in QueryInterface: its IID and how to reach it from the object.
struct InterfaceMapEntry {
    const IID* iid;
    IUnknown* (*cast)(void* object);
};

// The cast for InterfaceMapEntry: the object as `Interface`, through its class `Class`.
template <class Class, class Interface>
IUnknown* InterfaceOf(void* object) noexcept {
    return static_cast<Interface*>(static_cast<Class*>(object));
}

// QueryInterface over a map, in table order; the first entry also serves IUnknown. The answer
// is AddRef'd through the interface found, so it reaches the object's own counting (or the
// outer object's, for an aggregated one).
HRESULT QueryInterfaceFromMap(void* object, const InterfaceMapEntry* map, std::size_t size, REFIID iid,
                              void** out) noexcept;

template <class Class, std::size_t N>
HRESULT QueryInterfaceFromMap(Class* object, const InterfaceMapEntry (&map)[N], REFIID iid, void** out) noexcept {
    return QueryInterfaceFromMap(static_cast<void*>(object), map, N, iid, out);
}
