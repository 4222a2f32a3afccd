#pragma once
// Implemented categories of a class, recorded through the system's component category manager.
#include <cstddef>
#include <windows.h>
#include <comcat.h>

// Both raise the failing HRESULT as a long.
void RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, std::size_t count);

// Removes the categories, then the class's "Implemented Categories" and "Required Categories"
// keys when nothing is left below them.
void UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, std::size_t count);
