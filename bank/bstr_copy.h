#pragma once
#include <functional>
#include <windows.h>
#include <oleauto.h>

// A new BSTR with the same bytes as `text` (its byte length preserved). Raises
// CAtlException(E_OUTOFMEMORY) when it cannot be allocated: a name that silently came back
// empty would read as success.
BSTR CopyBstr(BSTR text);

// A new BSTR converted from single-byte text in the ANSI code page.
BSTR BstrFromAnsi(const char* text);

// When set, CopyBstr allocates through it (tests make allocation fail).
std::function<BSTR(const char* bytes, UINT length)>& BstrAllocationHook();
