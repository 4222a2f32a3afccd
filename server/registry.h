#pragma once
// Small registry routines over owned keys. Failures raise CAtlException with the HRESULT of the
// Win32 error; a key that is not there is an answer, not a failure.
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include "platform/win32/unique_handles.h"

// Opens or creates `path` below `parent` for reading and writing.
UniqueRegKey CreateRegistryKey(HKEY parent, const std::wstring& path);

// Opens `path` below `parent`; empty when it does not exist.
UniqueRegKey OpenRegistryKey(HKEY parent, const std::wstring& path, REGSAM access = KEY_READ);

bool RegistryKeyExists(HKEY parent, const std::wstring& path);

// Removes `path` below `parent` with everything in it; nothing happens when it is not there.
void DeleteRegistryTree(HKEY parent, const std::wstring& path);

bool HasSubkeys(HKEY key);

// `name` empty means the key's default value.
void WriteRegistryString(HKEY key, const std::wstring& name, const std::wstring& text);
void WriteRegistryNumber(HKEY key, const std::wstring& name, DWORD number);
void DeleteRegistryValue(HKEY key, const std::wstring& name);
std::optional<std::wstring> ReadRegistryString(HKEY key, const std::wstring& name);

// A key with every value and subkey below it, as it stood when read.
struct RegistryTree {
    struct Value {
        std::wstring name;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    std::vector<Value> values;
    std::vector<std::pair<std::wstring, RegistryTree>> subkeys;
};

RegistryTree ReadRegistryTree(HKEY key);
// Writes `tree` into `key`, which should be empty.
void WriteRegistryTree(HKEY key, const RegistryTree& tree);
