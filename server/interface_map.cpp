#include "server/interface_map.h"

HRESULT QueryInterfaceFromMap(void* object, const InterfaceMapEntry* map, std::size_t size, REFIID iid,
                              void** out) noexcept {
    const InterfaceMapEntry* found = nullptr;
    if (size > 0 && ::IsEqualIID(iid, IID_IUnknown)) found = &map[0];
    for (std::size_t i = 0; !found && i < size; ++i) {
        if (::IsEqualIID(iid, *map[i].iid)) found = &map[i];
    }
    if (!found) {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    if (!out) return E_POINTER;
    IUnknown* answer = found->cast(object);
    answer->AddRef();
    *out = answer;
    return S_OK;
}
