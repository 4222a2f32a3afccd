#include "server/type_library_registration.h"

#include <vector>
#include <windows.h>
#include <oleauto.h>

#include "platform/win32/unique_handles.h"
#include "server/registry.h"
#include "server/type_library.h"

namespace {

void Check(HRESULT hr) {
    if (FAILED(hr)) throw static_cast<long>(hr);
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

ComPtr<ITypeLib> LoadModuleLibrary(const std::wstring& modulePath) {
    ComPtr<ITypeLib> library;
    Check(::LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.Receive()));
    return library;
}

std::vector<IID> InterfacesOf(ITypeLib* library) {
    std::vector<IID> interfaces;
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind = TKIND_MAX;
        if (FAILED(library->GetTypeInfoType(i, &kind)) || (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH)) continue;
        ComPtr<ITypeInfo> info;
        if (FAILED(library->GetTypeInfo(i, info.Receive()))) continue;
        TYPEATTR* attributes = nullptr;
        if (FAILED(info->GetTypeAttr(&attributes))) continue;
        interfaces.push_back(attributes->guid);
        info->ReleaseTypeAttr(attributes);
    }
    return interfaces;
}

std::wstring InterfaceKeyPath(REFIID iid) { return L"Interface\\" + GuidText(iid); }

// True when the interface key names this component's library as its owner.
bool OwnedByComponent(HKEY interfaceKey) {
    const UniqueRegKey typeLib = OpenRegistryKey(interfaceKey, L"TypeLib");
    if (!typeLib) return false;
    const auto owner = ReadRegistryString(typeLib.Get(), {});
    GUID libraryId{};
    return owner && SUCCEEDED(::IIDFromString(owner->c_str(), &libraryId)) &&
           ::IsEqualGUID(libraryId, ComponentLibraryId());
}

struct HeldKey {
    std::wstring path;
    RegistryTree tree;
};

// Every interface key of the library that is present and belongs to someone else.
std::vector<HeldKey> ForeignInterfaceKeys(const std::vector<IID>& interfaces) {
    std::vector<HeldKey> held;
    for (const IID& iid : interfaces) {
        const std::wstring path = InterfaceKeyPath(iid);
        const UniqueRegKey key = OpenRegistryKey(HKEY_CLASSES_ROOT, path);
        if (key && !OwnedByComponent(key.Get())) held.push_back({path, ReadRegistryTree(key.Get())});
    }
    return held;
}

void PutBack(const std::vector<HeldKey>& held) {
    for (const auto& key : held) {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, key.path);
        WriteRegistryTree(CreateRegistryKey(HKEY_CLASSES_ROOT, key.path).Get(), key.tree);
    }
}

void RemoveOwnInterfaceKeys(const std::vector<IID>& interfaces) {
    for (const IID& iid : interfaces) {
        const std::wstring path = InterfaceKeyPath(iid);
        bool own = false;
        if (const UniqueRegKey key = OpenRegistryKey(HKEY_CLASSES_ROOT, path)) own = OwnedByComponent(key.Get());
        if (own) DeleteRegistryTree(HKEY_CLASSES_ROOT, path);
    }
}

bool LibraryRegistered() {
    wchar_t version[16] = {};
    ::wsprintfW(version, L"%x.%x", kComponentLibraryMajor, kComponentLibraryMinor);
    return RegistryKeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(ComponentLibraryId()) + L"\\" + version);
}

#ifdef _WIN64
constexpr SYSKIND kSystemKind = SYS_WIN64;
#else
constexpr SYSKIND kSystemKind = SYS_WIN32;
#endif

}  // namespace

void RegisterComponentTypeLibrary(const std::wstring& modulePath) {
    const ComPtr<ITypeLib> library = LoadModuleLibrary(modulePath);
    const std::vector<HeldKey> foreign = ForeignInterfaceKeys(InterfacesOf(library.Get()));
    const HRESULT registered = ::RegisterTypeLib(library.Get(), const_cast<LPOLESTR>(modulePath.c_str()), nullptr);
    PutBack(foreign);
    Check(registered);
}

void UnregisterComponentTypeLibrary(const std::wstring& modulePath) {
    const ComPtr<ITypeLib> library = LoadModuleLibrary(modulePath);
    const std::vector<IID> interfaces = InterfacesOf(library.Get());
    const std::vector<HeldKey> foreign = ForeignInterfaceKeys(interfaces);
    HRESULT unregistered = S_OK;
    if (LibraryRegistered()) {
        unregistered = ::UnRegisterTypeLib(ComponentLibraryId(), kComponentLibraryMajor, kComponentLibraryMinor,
                                           kComponentLibraryLocale, kSystemKind);
    }
    PutBack(foreign);
    RemoveOwnInterfaceKeys(interfaces);
    Check(unregistered);
}
