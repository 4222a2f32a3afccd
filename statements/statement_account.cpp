#include "statements/statement_account.h"

#include "common/text_conversion.h"
#include "platform/code_page.h"

namespace {
// The leftmost bytes stay: a value is cut, never rejected.
std::string_view Limited(std::string_view value) { return value.substr(0, StatementAccount::kValueLimit); }

// Byte for byte. The values are a few characters: a library call would cost more than the loop.
bool SameBytes(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}
}  // namespace

void StatementAccount::SetSortCode(std::u16string_view hostValue) { SetSortCode(platform::WideToAnsi(hostValue)); }

void StatementAccount::SetAccountNumber(std::u16string_view hostValue) {
    SetAccountNumber(platform::WideToAnsi(hostValue));
}

void StatementAccount::SetSortCode(std::string_view value) { sortCode_ = DigitsOnly(Limited(value)); }

void StatementAccount::SetAccountNumber(std::string_view value) { accountNumber_ = std::string(Limited(value)); }

bool AccountMatches(const CTransactionRecord& record, const StatementAccount& account) {
    return SameBytes(record.Source(CTransactionRecord::kSortCodeText), account.SortCode()) &&
           SameBytes(record.Source(CTransactionRecord::kAccountNumberText), account.AccountNumber());
}
