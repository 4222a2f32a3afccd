#include "statements/statement_account.h"

#include "common/text_conversion.h"
#include "platform/code_page.h"

namespace {
// The leftmost bytes stay: a value is cut, never rejected.
std::string_view Limited(std::string_view value) { return value.substr(0, StatementAccount::kValueLimit); }
}  // namespace

void StatementAccount::SetSortCode(std::u16string_view hostValue) { SetSortCode(platform::WideToAnsi(hostValue)); }

void StatementAccount::SetAccountNumber(std::u16string_view hostValue) {
    SetAccountNumber(platform::WideToAnsi(hostValue));
}

void StatementAccount::SetSortCode(std::string_view value) { sortCode_ = DigitsOnly(Limited(value)); }

void StatementAccount::SetAccountNumber(std::string_view value) { accountNumber_ = std::string(Limited(value)); }

bool AccountMatches(const CTransactionRecord& record, const StatementAccount& account) {
    return record.Source(CTransactionRecord::kSortCodeText) == account.SortCode() &&
           record.Source(CTransactionRecord::kAccountNumberText) == account.AccountNumber();
}
