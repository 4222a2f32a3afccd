#include "server/registration.h"

#include <string>
#include <vector>

#include "common/errors.h"
#include "server/component_categories.h"
#include "server/hresult_of.h"
#include "server/registrar.h"
#include "server/type_library_registration.h"

namespace {

std::wstring ModulePath(HINSTANCE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) throw static_cast<long>(HRESULT_FROM_WIN32(::GetLastError()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The REGISTRY resource `id` as text, from the single-byte form it is stored in.
std::wstring RegistryScriptText(HINSTANCE module, unsigned id) {
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
    if (!found) throw static_cast<long>(HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    const HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const char*>(::LockResource(loaded));
    const int size = static_cast<int>(::SizeofResource(module, found));
    if (!bytes) throw static_cast<long>(E_FAIL);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int converted = ::MultiByteToWideChar(CP_ACP, 0, bytes, size, text.data(), size);
    text.resize(static_cast<std::size_t>(converted));
    return text;
}

std::vector<RegistryRoot> ClassScript(HINSTANCE module, const ComponentClass& entry, const std::wstring& path) {
    return ParseRegistryScript(RegistryScriptText(module, entry.registryScript), {{L"MODULE", path}});
}

}  // namespace

HRESULT RegisterComponent(HINSTANCE module, const ClassTable& classes) noexcept {
    return HResultOf([&] {
        const std::wstring path = ModulePath(module);
        for (const ComponentClass& entry : classes) {
            RegisterScript(ClassScript(module, entry, path));
            RegisterImplementedCategories(*entry.clsid, entry.implementedCategories, entry.implementedCategoryCount);
        }
        RegisterComponentTypeLibrary(path);
    });
}

HRESULT UnregisterComponent(HINSTANCE module, const ClassTable& classes) noexcept {
    return HResultOf([&] {
        const std::wstring path = ModulePath(module);
        for (const ComponentClass& entry : classes) {
            UnregisterImplementedCategories(*entry.clsid, entry.implementedCategories, entry.implementedCategoryCount);
            UnregisterScript(ClassScript(module, entry, path));
        }
        UnregisterComponentTypeLibrary(path);
    });
}
