#include "server/type_library.h"

#include <mutex>
#include <utility>
#include <vector>

#include "host/generated_interfaces.h"
#include "platform/win32/unique_handles.h"

namespace {

// Several apartments may ask at once, so the cache takes a lock.
struct TypeLibraryCache {
    std::mutex lock;
    ComPtr<ITypeLib> library;
    std::vector<std::pair<IID, ComPtr<ITypeInfo>>> infos;
};

TypeLibraryCache& Cache() {
    static TypeLibraryCache cache;
    return cache;
}

}  // namespace

const GUID& ComponentLibraryId() noexcept { return LIBID_TESKVARROWINTERNETBANKINGLib; }

HRESULT ComponentTypeInfo(REFIID iid, ITypeInfo** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    TypeLibraryCache& cache = Cache();
    const std::lock_guard<std::mutex> hold(cache.lock);
    for (const auto& [known, info] : cache.infos) {
        if (::IsEqualIID(known, iid)) {
            *out = Retain(info.Get()).Detach();
            return S_OK;
        }
    }
    if (!cache.library) {
        const HRESULT loaded = ::LoadRegTypeLib(ComponentLibraryId(), kComponentLibraryMajor, kComponentLibraryMinor,
                                                kComponentLibraryLocale, cache.library.Receive());
        if (FAILED(loaded)) return loaded;
    }
    ComPtr<ITypeInfo> info;
    const HRESULT found = cache.library->GetTypeInfoOfGuid(iid, info.Receive());
    if (FAILED(found)) return found;
    *out = Retain(info.Get()).Detach();
    try {
        cache.infos.emplace_back(iid, std::move(info));
    } catch (...) {
        // Not cached this time; the caller still has its answer.
    }
    return S_OK;
}

void ReleaseComponentTypeLibrary() noexcept {
    TypeLibraryCache& cache = Cache();
    const std::lock_guard<std::mutex> hold(cache.lock);
    cache.infos.clear();
    cache.library.Reset();
}
