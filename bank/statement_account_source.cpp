#include "bank/statement_account_source.h"

#include <optional>
#include <string_view>

#include "platform/win32/unique_handles.h"
#include "server/host_object.h"

namespace {

// The BSTR a getter gives, or nothing when the call fails or gives a null BSTR. After a failure
// the out-parameter is not the caller's to free.
template <class Getter>
std::optional<std::u16string> Given(ITeskFilterAccount& account, Getter getter) {
    UniqueBstr value;
    if (FAILED((account.*getter)(value.Receive()))) {
        value.Detach();
        ForgetHostFailure();
        return std::nullopt;
    }
    if (!value) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(value.Get()), ::SysStringLen(value.Get()));
}

ComPtr<ITeskFilterAccount> AccountOf(ITeskServiceFilter* source) {
    ComPtr<ITeskFilterAccount> account;
    if (!source) return {};
    if (FAILED(source->get_Account(account.Receive()))) {
        account.Detach();
        ForgetHostFailure();
        return {};
    }
    return account;
}

}  // namespace

void TakeAccountFrom(ITeskServiceFilter* source, StatementAccount& account) {
    const ComPtr<ITeskFilterAccount> given = AccountOf(source);
    if (!given) return;
    if (const auto number = Given(*given.Get(), &ITeskFilterAccount::get_AccountNumber)) {
        account.SetAccountNumber(std::u16string_view(*number));
    }
    if (const auto sortCode = Given(*given.Get(), &ITeskFilterAccount::get_SortCode)) {
        account.SetSortCode(std::u16string_view(*sortCode));
    }
}
