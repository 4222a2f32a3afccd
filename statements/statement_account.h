#pragma once
#include <string>
#include <string_view>

#include "statements/transaction_record.h"

// The account whose transactions an import takes, as the host last gave it. Each value is taken
// as at most 32 bytes of narrow text; the sort code keeps only its digits, so 12-34-56 is 123456.
class StatementAccount {
public:
    // Longest value taken from the host.
    static constexpr std::size_t kValueLimit = 32;

    // From the host's UTF-16 text, converted with the ANSI code page.
    void SetSortCode(std::u16string_view hostValue);
    void SetAccountNumber(std::u16string_view hostValue);
    // From narrow text, as the command line gives it.
    void SetSortCode(std::string_view value);
    void SetAccountNumber(std::string_view value);

    const std::string& SortCode() const noexcept { return sortCode_; }
    const std::string& AccountNumber() const noexcept { return accountNumber_; }

private:
    std::string sortCode_;
    std::string accountNumber_;
};

// Whether `record` belongs to `account`: its Sort Code and Account Number equal the account's,
// byte for byte. A record keeps at most 6 and 8 characters of them, so a longer account number
// never matches.
bool AccountMatches(const CTransactionRecord& record, const StatementAccount& account);
