#pragma once
// The component's type library as registered (its LIBID, version 1.0), from which every dual
// interface serves IDispatch. It is loaded on first use and its type descriptions are cached
// for the module's life.
#include <windows.h>
#include <oaidl.h>

// The description of interface `iid`, with a new reference.
HRESULT ComponentTypeInfo(REFIID iid, ITypeInfo** out) noexcept;

// Lets go of the library and every cached description (module end).
void ReleaseComponentTypeLibrary() noexcept;

// The identity of the library.
const GUID& ComponentLibraryId() noexcept;
constexpr WORD kComponentLibraryMajor = 1;
constexpr WORD kComponentLibraryMinor = 0;
constexpr LCID kComponentLibraryLocale = 1033;
