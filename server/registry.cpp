#include "server/registry.h"

#include "common/errors.h"

namespace {

void Check(LONG status) {
    if (status != ERROR_SUCCESS) throw CAtlException(HRESULT_FROM_WIN32(static_cast<DWORD>(status)));
}

const wchar_t* ValueName(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

// Longest key name the registry allows, plus the terminator.
constexpr DWORD kMaxKeyName = 256;

}  // namespace

UniqueRegKey CreateRegistryKey(HKEY parent, const std::wstring& path) {
    UniqueRegKey key;
    Check(::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                            key.Receive(), nullptr));
    return key;
}

UniqueRegKey OpenRegistryKey(HKEY parent, const std::wstring& path, REGSAM access) {
    UniqueRegKey key;
    const LONG status = ::RegOpenKeyExW(parent, path.c_str(), 0, access, key.Receive());
    if (status == ERROR_FILE_NOT_FOUND) return {};
    Check(status);
    return key;
}

bool RegistryKeyExists(HKEY parent, const std::wstring& path) { return static_cast<bool>(OpenRegistryKey(parent, path)); }

void DeleteRegistryTree(HKEY parent, const std::wstring& path) {
    if (!RegistryKeyExists(parent, path)) return;
    const LONG status = ::RegDeleteTreeW(parent, path.c_str());
    if (status != ERROR_FILE_NOT_FOUND) Check(status);
    const LONG removed = ::RegDeleteKeyW(parent, path.c_str());
    if (removed != ERROR_FILE_NOT_FOUND) Check(removed);
}

bool HasSubkeys(HKEY key) {
    DWORD subkeys = 0;
    Check(::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr));
    return subkeys > 0;
}

void WriteRegistryString(HKEY key, const std::wstring& name, const std::wstring& text) {
    Check(::RegSetValueExW(key, ValueName(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}

void WriteRegistryNumber(HKEY key, const std::wstring& name, DWORD number) {
    Check(::RegSetValueExW(key, ValueName(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number));
}

void DeleteRegistryValue(HKEY key, const std::wstring& name) {
    const LONG status = ::RegDeleteValueW(key, ValueName(name));
    if (status != ERROR_FILE_NOT_FOUND) Check(status);
}

std::optional<std::wstring> ReadRegistryString(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, ValueName(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    Check(::RegQueryValueExW(key, ValueName(name), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read));
    text.resize(read / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

RegistryTree ReadRegistryTree(HKEY key) {
    RegistryTree tree;
    DWORD subkeys = 0;
    DWORD values = 0;
    DWORD longestValueName = 0;
    DWORD longestData = 0;
    Check(::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, &longestValueName,
                             &longestData, nullptr, nullptr));
    for (DWORD i = 0; i < values; ++i) {
        RegistryTree::Value value;
        std::wstring name(longestValueName + 1, L'\0');
        DWORD nameLength = static_cast<DWORD>(name.size());
        value.data.resize(longestData);
        DWORD dataSize = longestData;
        Check(::RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &value.type, value.data.data(), &dataSize));
        name.resize(nameLength);
        value.name = std::move(name);
        value.data.resize(dataSize);
        tree.values.push_back(std::move(value));
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        std::wstring name(kMaxKeyName, L'\0');
        DWORD nameLength = kMaxKeyName;
        Check(::RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr));
        name.resize(nameLength);
        const UniqueRegKey subkey = OpenRegistryKey(key, name);
        if (subkey) tree.subkeys.emplace_back(name, ReadRegistryTree(subkey.Get()));
    }
    return tree;
}

void WriteRegistryTree(HKEY key, const RegistryTree& tree) {
    for (const auto& value : tree.values) {
        Check(::RegSetValueExW(key, ValueName(value.name), 0, value.type, value.data.data(),
                               static_cast<DWORD>(value.data.size())));
    }
    for (const auto& [name, subtree] : tree.subkeys) {
        const UniqueRegKey subkey = CreateRegistryKey(key, name);
        WriteRegistryTree(subkey.Get(), subtree);
    }
}
