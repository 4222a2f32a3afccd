#pragma once
// Writes and removes what a registry script describes.
//
// Registering creates every key and value; a ForceRemove key is removed first, so it is replaced
// whole. Unregistering removes ForceRemove and Delete keys whole; a plain key loses the values
// and subkeys the script names and goes itself only when nothing else is left below it, so keys
// that others added survive; NoRemove keys stay. Failures raise CAtlException.
#include <functional>
#include <string_view>
#include <vector>
#include <windows.h>

#include "server/registry_script.h"

// Finds the registry root a script names (HKCR, HKEY_CLASSES_ROOT, HKCU, HKLM, ...).
using RegistryRootResolver = std::function<HKEY(std::wstring_view name)>;

// The system's predefined roots; raises CAtlException(E_FAIL) for an unknown name.
HKEY StandardRegistryRoot(std::wstring_view name);

void RegisterScript(const std::vector<RegistryRoot>& script,
                    const RegistryRootResolver& resolve = StandardRegistryRoot);
void UnregisterScript(const std::vector<RegistryRoot>& script,
                      const RegistryRootResolver& resolve = StandardRegistryRoot);
