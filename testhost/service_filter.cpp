#include "testhost/service_filter.h"

namespace {

std::wstring Answer(const std::optional<std::wstring>& value, BSTR* out) {
    if (out) *out = value ? ::SysAllocString(value->c_str()) : nullptr;
    return value ? QuotedText(value->c_str()) : std::wstring(L"null");
}

}  // namespace

STDMETHODIMP SubstituteFilterAccount::get_SortCode(BSTR* sortCode) {
    return Respond(1, L"get_SortCode()", [&] { return Answer(sortCode_, sortCode); });
}

STDMETHODIMP SubstituteFilterAccount::get_AccountNumber(BSTR* accountNumber) {
    return Respond(5, L"get_AccountNumber()", [&] { return Answer(accountNumber_, accountNumber); });
}

STDMETHODIMP SubstituteServiceFilter::get_Account(ITeskFilterAccount** account) {
    return Respond(1, L"get_Account()", [&] {
        if (!account) return std::wstring(L"null out-pointer");
        *account = nullptr;
        auto created = CreateComObject<SubstituteFilterAccount>(sortCode_, accountNumber_);
        created->QueryInterface(IID_ITeskFilterAccount, reinterpret_cast<void**>(account));
        return std::wstring(L"FilterAccount");
    });
}
