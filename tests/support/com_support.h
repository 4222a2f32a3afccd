#pragma once
// Helpers for tests that drive COM objects under Wine.
#include <optional>
#include <string>
#include <windows.h>
#include <oaidl.h>

#include "host/generated_interfaces.h"
#include "platform/win32/unique_handles.h"

namespace com_test {

// The description of the thread's error object, taking it off the thread; none when there is
// no error object.
std::optional<std::wstring> TakeErrorDescription();

// Clears the thread's error object.
void ClearErrorInfo();

// UTF-8 for failure messages.
std::string Narrow(const std::wstring& text);
std::string Narrow(BSTR text);

// "0x800AFFFC"
std::string HexText(HRESULT hr);

// ASCII text as UTF-16.
inline std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A file beside the test program (the build tree's top, where the DLLs are).
std::wstring BesideProgram(const std::wstring& name);

// The component DLL, loaded (again) into the test program to reach its exports.
class ComponentModule {
public:
    ComponentModule();
    HRESULT CanUnloadNow() const;
    HRESULT Register() const;
    HRESULT Unregister() const;
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
    HMODULE Handle() const { return module_.Get(); }

private:
    FARPROC Export(const char* name) const;
    UniqueModule module_;
};

std::wstring ComponentPath();

// A BSTR property read through a getter; "<failed 0x...>" when the call fails.
template <class Object, class Getter>
std::wstring ReadText(Object* object, Getter getter) {
    UniqueBstr text;
    const HRESULT hr = (object->*getter)(text.Receive());
    if (FAILED(hr)) return L"<failed " + Widen(HexText(hr)) + L">";
    return text ? std::wstring(text.Get(), ::SysStringLen(text.Get())) : std::wstring();
}

}  // namespace com_test
