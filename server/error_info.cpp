#include "server/error_info.h"

#include <iterator>
#include <string>

#include "platform/win32/unique_handles.h"

namespace {

// Codes of the control facility are meant for automation clients as they are.
constexpr HRESULT kFacilityMask = 0x1FFF0000;
constexpr HRESULT kFacilityControlBits = 0x000A0000;

constexpr HRESULT Returned(unsigned row) { return static_cast<HRESULT>(0x800A0000u | (0xFFFEu - row)); }

constexpr ErrorMapping kMappings[] = {
    {E_UNEXPECTED, L"Unexpected result", Returned(0)},
    {E_OUTOFMEMORY, L"Out of Memory", Returned(1)},
    {E_INVALIDARG, L"Invalid argument", Returned(2)},
    {E_NOTIMPL, L"Not implemented", Returned(3)},
    {E_NOINTERFACE, L"Interface not supported", Returned(4)},
};

constexpr HRESULT kSystemTextResult = static_cast<HRESULT>(0x800AFFFF);

const ErrorMapping& MappingOf(HRESULT hr) {
    for (const auto& row : kMappings) {
        if (row.raised == hr) return row;
    }
    return kMappings[0];
}

bool IsCallerForm(HRESULT hr) {
    return hr == DISP_E_EXCEPTION || (hr & kFacilityMask) == kFacilityControlBits;
}

}  // namespace

const ErrorMapping* ErrorMappingBegin() noexcept { return std::begin(kMappings); }
const ErrorMapping* ErrorMappingEnd() noexcept { return std::end(kMappings); }

void PublishErrorInfo(ICreateErrorInfo* creator) noexcept {
    if (const auto errorInfo = QueryAs<IErrorInfo>(creator, IID_IErrorInfo)) ::SetErrorInfo(0, errorInfo.Get());
}

HRESULT ErrorInfoFromHResult(HRESULT hr) noexcept {
    if (IsCallerForm(hr)) return hr;
    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(::CreateErrorInfo(creator.Receive()))) return hr;
    const ErrorMapping& row = MappingOf(hr);
    creator->SetDescription(const_cast<LPOLESTR>(row.description));
    PublishErrorInfo(creator.Get());
    return row.returned;
}

HRESULT ErrorInfoFromSystemText(DWORD code) noexcept {
    ComPtr<ICreateErrorInfo> creator;
    const HRESULT created = ::CreateErrorInfo(creator.Receive());
    if (FAILED(created)) return created;
    UniqueLocalMemory<char*> text;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                         LANG_USER_DEFAULT, reinterpret_cast<char*>(text.Receive()), 0, nullptr);
    // A code the system has no text for leaves the description empty.
    std::wstring description(length + 1, L'\0');
    if (text) ::MultiByteToWideChar(CP_ACP, 0, text.Get(), static_cast<int>(length) + 1, description.data(),
                                    static_cast<int>(description.size()));
    creator->SetDescription(description.data());
    PublishErrorInfo(creator.Get());
    return kSystemTextResult;
}
