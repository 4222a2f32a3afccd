#pragma once
// Owners for the Windows handle kinds the component holds: COM interfaces, BSTRs, VARIANTs,
// registry keys, modules and LocalAlloc blocks, all on the one UniqueResource template.
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include "common/unique_resource.h"

template <class Interface>
void ReleaseReference(Interface* object) noexcept {
    object->Release();
}

// One counted reference on a COM object.
template <class Interface>
using ComPtr = UniqueResource<NullHandleTraits<Interface*, ReleaseReference<Interface>>>;

// A new reference on `object` (which may be null).
template <class Interface>
ComPtr<Interface> Retain(Interface* object) noexcept {
    if (object) object->AddRef();
    return ComPtr<Interface>(object);
}

// The slot of `pointer`, typed for QueryInterface and CoCreateInstance.
template <class Interface>
void** ReceiveAsVoid(ComPtr<Interface>& pointer) noexcept {
    return reinterpret_cast<void**>(pointer.Receive());
}

// `object` asked for `To`; empty when it does not answer it.
template <class To, class From>
ComPtr<To> QueryAs(From* object, REFIID iid = __uuidof(To)) noexcept {
    ComPtr<To> result;
    if (object) object->QueryInterface(iid, ReceiveAsVoid(result));
    return result;
}

inline void FreeBstr(BSTR text) noexcept { ::SysFreeString(text); }
using UniqueBstr = UniqueResource<NullHandleTraits<BSTR, FreeBstr>>;

struct VariantTraits {
    using Handle = VARIANT;
    static Handle Empty() noexcept {
        VARIANT v;
        ::VariantInit(&v);
        return v;
    }
    static bool IsEmpty(const Handle& v) noexcept { return V_VT(&v) == VT_EMPTY; }
    static void Close(Handle& v) noexcept { ::VariantClear(&v); }
};
using UniqueVariant = UniqueResource<VariantTraits>;

inline void CloseRegKey(HKEY key) noexcept { ::RegCloseKey(key); }
using UniqueRegKey = UniqueResource<NullHandleTraits<HKEY, CloseRegKey>>;

inline void ReleaseModule(HMODULE module) noexcept { ::FreeLibrary(module); }
using UniqueModule = UniqueResource<NullHandleTraits<HMODULE, ReleaseModule>>;

// Buffers that the system allocated for the caller with LocalAlloc (FormatMessage).
template <class Pointer>
void FreeLocalMemory(Pointer memory) noexcept {
    ::LocalFree(reinterpret_cast<HLOCAL>(memory));
}
template <class Pointer>
using UniqueLocalMemory = UniqueResource<NullHandleTraits<Pointer, FreeLocalMemory<Pointer>>>;
