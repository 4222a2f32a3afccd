#include "tests/support/com_support.h"

#include <cstdio>
#include <stdexcept>

namespace com_test {

std::optional<std::wstring> TakeErrorDescription() {
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Receive()) != S_OK || !info) return std::nullopt;
    UniqueBstr description;
    info->GetDescription(description.Receive());
    return description ? std::wstring(description.Get(), ::SysStringLen(description.Get())) : std::wstring();
}

void ClearErrorInfo() { ::SetErrorInfo(0, nullptr); }

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), needed, nullptr, nullptr);
    return out;
}

std::string Narrow(BSTR text) { return text ? Narrow(std::wstring(text, ::SysStringLen(text))) : "<null>"; }

std::string HexText(HRESULT hr) {
    char text[16] = {};
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::wstring BesideProgram(const std::wstring& name) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

std::wstring ComponentPath() { return BesideProgram(L"TeskVarrowInternetBanking.dll"); }

ComponentModule::ComponentModule() : module_(::LoadLibraryW(ComponentPath().c_str())) {
    if (!module_) throw std::runtime_error("cannot load TeskVarrowInternetBanking.dll");
}

FARPROC ComponentModule::Export(const char* name) const {
    const FARPROC found = ::GetProcAddress(module_.Get(), name);
    if (!found) throw std::runtime_error(std::string("no export ") + name);
    return found;
}

HRESULT ComponentModule::CanUnloadNow() const {
    return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(Export("DllCanUnloadNow")))();
}

HRESULT ComponentModule::Register() const {
    return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(Export("DllRegisterServer")))();
}

HRESULT ComponentModule::Unregister() const {
    return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(Export("DllUnregisterServer")))();
}

HRESULT ComponentModule::GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
    using Function = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(Export("DllGetClassObject")))(clsid, iid, out);
}

}  // namespace com_test
