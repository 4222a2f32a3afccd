#include "statements/statement_account.h"

#include <gtest/gtest.h>

#include "statements/statement_test_lines.h"

namespace {

using namespace statement_test;

TEST(StatementAccount, KeepsTheDigitsOfTheSortCode) {
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {
        {"12-34-56", "123456"}, {"12 34 56", "123456"}, {"123456", "123456"}, {"", ""}, {"ab", ""},
        // At most 32 bytes are taken, then the digits of those.
        {"----------------------------12-34-56", "123"},
        {"1234567890123456789012345678901234567890", "12345678901234567890123456789012"},
    };
    for (const auto& c : cases) {
        StatementAccount account;
        account.SetSortCode(std::string_view(c.given));
        EXPECT_EQ(account.SortCode(), c.stored) << "sort code [" << c.given << "]";
    }
}

TEST(StatementAccount, KeepsTheAccountNumberAsGivenUpTo32Bytes) {
    StatementAccount account;
    account.SetAccountNumber(std::string_view("0012-3456"));
    EXPECT_EQ(account.AccountNumber(), "0012-3456");
    account.SetAccountNumber(std::string_view(std::string(40, '7')));
    EXPECT_EQ(account.AccountNumber(), std::string(32, '7'));
}

TEST(StatementAccount, ConvertsTheHostsTextWithTheAnsiCodePage) {
    StatementAccount account;
    account.SetSortCode(std::u16string_view(u"12\u201334\u201356"));  // en dashes
    account.SetAccountNumber(std::u16string_view(u"A\u00e91"));
    EXPECT_EQ(account.SortCode(), "123456");
    EXPECT_EQ(account.AccountNumber(), "A\xe9" "1");
}

TEST(AccountMatches, ComparesSortCodeAndAccountByteForByte) {
    const struct {
        const char* recordSortCode;
        const char* recordAccount;
        const char* sortCode;
        const char* accountNumber;
        bool matches;
    } cases[] = {
        {"123456", "12345678", "12-34-56", "12345678", true},
        {"123456", "12345678", "123456", "12345679", false},
        {"123457", "12345678", "123456", "12345678", false},
        {"12-34-56", "12345678", "12-34-56", "12345678", false},  // the record keeps 12-34-, no digits taken
        {"123456", "123456789", "123456", "123456789", false},   // the record keeps 8 characters
        {"123456", "ab", "123456", "AB", false},
        {"", "", "", "", true},
    };
    for (const auto& c : cases) {
        Line line;
        line.sortCode = c.recordSortCode, line.account = c.recordAccount;
        const auto reader = ReaderOn(Lines({kShortHeader, line.Short()}));
        reader->PrepareColumns();
        CTransactionRecord record;
        ASSERT_TRUE(reader->ReadRecord(record));
        StatementAccount account;
        account.SetSortCode(std::string_view(c.sortCode));
        account.SetAccountNumber(std::string_view(c.accountNumber));
        EXPECT_EQ(AccountMatches(record, account), c.matches)
            << c.recordSortCode << "/" << c.recordAccount << " against " << c.sortCode << "/" << c.accountNumber;
    }
}

}  // namespace
