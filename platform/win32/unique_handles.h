#pragma once
// Owners for the Windows handle kinds the component holds: COM interfaces, BSTRs, VARIANTs,
// registry keys, modules and LocalAlloc blocks, all on the one UniqueResource template.
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include "common/unique_resource.h"

template <class Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsEmpty(Handle p) noexcept { return p == nullptr; }
    static void Close(Handle p) noexcept { p->Release(); }
};

// One counted reference on a COM object.
template <class Interface>
using ComPtr = UniqueResource<ComTraits<Interface>>;

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

struct BstrTraits {
    using Handle = BSTR;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsEmpty(Handle b) noexcept { return b == nullptr; }
    static void Close(Handle b) noexcept { ::SysFreeString(b); }
};
using UniqueBstr = UniqueResource<BstrTraits>;

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

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsEmpty(Handle k) noexcept { return k == nullptr; }
    static void Close(Handle k) noexcept { ::RegCloseKey(k); }
};
using UniqueRegKey = UniqueResource<RegKeyTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsEmpty(Handle m) noexcept { return m == nullptr; }
    static void Close(Handle m) noexcept { ::FreeLibrary(m); }
};
using UniqueModule = UniqueResource<ModuleTraits>;

// Buffers that the system allocated for the caller with LocalAlloc (FormatMessage).
template <class Pointer>
struct LocalMemoryTraits {
    using Handle = Pointer;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsEmpty(Handle p) noexcept { return p == nullptr; }
    static void Close(Handle p) noexcept { ::LocalFree(reinterpret_cast<HLOCAL>(p)); }
};
template <class Pointer>
using UniqueLocalMemory = UniqueResource<LocalMemoryTraits<Pointer>>;
