#include "server/component_categories.h"

#include <string>
#include <vector>

#include "platform/win32/unique_handles.h"
#include "server/registry.h"

namespace {

void Check(HRESULT hr) {
    if (FAILED(hr)) throw static_cast<long>(hr);
}

ComPtr<ICatRegister> CategoryManager() {
    ComPtr<ICatRegister> manager;
    Check(::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                             ReceiveAsVoid(manager)));
    return manager;
}

std::wstring ClassKeyPath(REFCLSID clsid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(clsid, text, 40);
    return std::wstring(L"CLSID\\") + text;
}

void RemoveIfEmpty(const std::wstring& classKey, const wchar_t* name) {
    bool empty = false;
    if (const UniqueRegKey key = OpenRegistryKey(HKEY_CLASSES_ROOT, classKey + L"\\" + name)) empty = !HasSubkeys(key.Get());
    if (empty) DeleteRegistryTree(HKEY_CLASSES_ROOT, classKey + L"\\" + name);
}

}  // namespace

void RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, std::size_t count) {
    if (count == 0) return;
    std::vector<CATID> ids(categories, categories + count);
    Check(CategoryManager()->RegisterClassImplCategories(clsid, static_cast<ULONG>(ids.size()), ids.data()));
}

void UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, std::size_t count) {
    if (count == 0) return;
    const std::wstring classKey = ClassKeyPath(clsid);
    if (RegistryKeyExists(HKEY_CLASSES_ROOT, classKey + L"\\Implemented Categories")) {
        std::vector<CATID> ids(categories, categories + count);
        Check(CategoryManager()->UnRegisterClassImplCategories(clsid, static_cast<ULONG>(ids.size()), ids.data()));
    }
    RemoveIfEmpty(classKey, L"Implemented Categories");
    RemoveIfEmpty(classKey, L"Required Categories");
}
