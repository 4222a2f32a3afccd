#include "server/host_object.h"

#include <oleauto.h>
#include <ole2.h>

namespace {
// In-process, handler, local and remote: wherever the host serves the class from.
constexpr DWORD kHostClassContext = 0x17;
}  // namespace

void RaiseComCallFailure(HRESULT hr, IUnknown* callee, REFIID iid) {
    ComPtr<IErrorInfo> errorInfo;
    const auto support = QueryAs<ISupportErrorInfo>(callee, IID_ISupportErrorInfo);
    if (support && support->InterfaceSupportsErrorInfo(iid) == S_OK) {
        // Taking the error object also clears it from the thread.
        ::GetErrorInfo(0, errorInfo.Receive());
    }
    throw _com_error(hr, errorInfo.Detach());
}

ComPtr<IUnknown> CreateHostObject(REFCLSID clsid, REFIID iid) {
    ComPtr<IUnknown> unknown;
    if (FAILED(::CoCreateInstance(clsid, nullptr, kHostClassContext, IID_IUnknown, ReceiveAsVoid(unknown)))) return {};
    if (FAILED(::OleRun(unknown.Get()))) return {};
    ComPtr<IUnknown> answer;
    if (FAILED(unknown->QueryInterface(iid, ReceiveAsVoid(answer)))) return {};
    return answer;
}
