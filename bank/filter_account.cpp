#include "bank/filter_account.h"

#include "bank/host_payments.h"
#include "platform/win32/unique_handles.h"
#include "server/host_object.h"

namespace {

using TextGetter = HRESULT (STDMETHODCALLTYPE ITeskFilterAccount::*)(BSTR*);

std::optional<std::u16string> TextOfAccount(ITeskFilterAccount* account, TextGetter get) {
    BSTR text = nullptr;
    // What a failing call left in the out-parameter is not ours to free.
    if (FAILED((account->*get)(&text))) {
        ForgetHostFailure();
        return std::nullopt;
    }
    const UniqueBstr owned(text);
    return TextOf(owned.Get());
}

}  // namespace

AccountForKeys AccountOfFilter(ITeskServiceFilter* filter) {
    AccountForKeys result;
    if (!filter) return result;
    ITeskFilterAccount* raw = nullptr;
    if (FAILED(filter->get_Account(&raw))) {
        ForgetHostFailure();
        return result;
    }
    if (!raw) return result;
    const ComPtr<ITeskFilterAccount> account(raw);
    result.accountObtained = true;
    result.sortCode = TextOfAccount(account.Get(), &ITeskFilterAccount::get_SortCode);
    result.accountNumber = TextOfAccount(account.Get(), &ITeskFilterAccount::get_AccountNumber);
    return result;
}
