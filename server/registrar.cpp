#include "server/registrar.h"

#include <cwctype>

#include "common/errors.h"
#include "server/registry.h"

namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    }
    return true;
}

void WriteValue(HKEY key, const std::wstring& name, const RegistryValue& value) {
    if (value.type == RegistryValue::Type::String) {
        WriteRegistryString(key, name, value.text);
    } else {
        WriteRegistryNumber(key, name, value.number);
    }
}

void RegisterKey(HKEY parent, const RegistryKeyNode& node) {
    if (node.disposition == KeyDisposition::ForceRemove || node.disposition == KeyDisposition::Delete) {
        DeleteRegistryTree(parent, node.name);
    }
    if (node.disposition == KeyDisposition::Delete) return;
    const UniqueRegKey key = CreateRegistryKey(parent, node.name);
    if (node.defaultValue) WriteValue(key.Get(), {}, *node.defaultValue);
    for (const auto& [name, value] : node.namedValues) WriteValue(key.Get(), name, value);
    for (const auto& subkey : node.subkeys) RegisterKey(key.Get(), subkey);
}

void UnregisterKey(HKEY parent, const RegistryKeyNode& node) {
    if (node.disposition == KeyDisposition::ForceRemove || node.disposition == KeyDisposition::Delete) {
        DeleteRegistryTree(parent, node.name);
        return;
    }
    {
        const UniqueRegKey key = OpenRegistryKey(parent, node.name, KEY_READ | KEY_WRITE);
        if (!key) return;
        for (const auto& subkey : node.subkeys) UnregisterKey(key.Get(), subkey);
        if (node.disposition == KeyDisposition::NoRemove) return;
        for (const auto& named : node.namedValues) DeleteRegistryValue(key.Get(), named.first);
        if (HasSubkeys(key.Get())) return;
    }
    DeleteRegistryTree(parent, node.name);
}

}  // namespace

HKEY StandardRegistryRoot(std::wstring_view name) {
    struct Root {
        const wchar_t* shortName;
        const wchar_t* longName;
        HKEY key;
    };
    static const Root roots[] = {
        {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKU", L"HKEY_USERS", HKEY_USERS},
    };
    for (const auto& root : roots) {
        if (SameName(name, root.shortName) || SameName(name, root.longName)) return root.key;
    }
    throw CAtlException(hresult::kFail);
}

void RegisterScript(const std::vector<RegistryRoot>& script, const RegistryRootResolver& resolve) {
    for (const auto& root : script) {
        const HKEY key = resolve(root.name);
        for (const auto& node : root.keys) RegisterKey(key, node);
    }
}

void UnregisterScript(const std::vector<RegistryRoot>& script, const RegistryRootResolver& resolve) {
    for (const auto& root : script) {
        const HKEY key = resolve(root.name);
        for (const auto& node : root.keys) UnregisterKey(key, node);
    }
}
