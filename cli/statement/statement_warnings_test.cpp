#include "cli/statement/statement_warnings.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "statements/ktx_transaction_file.h"

namespace cli {
namespace {

const std::string kHeader = "T1,T2,T3,T4,T5,T6,T7,T8,T9,T10,T11,T12,T13,T14\n";

// Reads `lines` (14-field lines of the form "SORTCODE,ACCOUNT,DATE") and tells the warnings of each
// record, taking those of `taken` (every record when empty).
std::vector<std::string> WarningsOf(const std::vector<std::string>& lines, const std::string& taken,
                                    const std::optional<StatementAccount>& account) {
    std::string content = kHeader;
    for (const auto& line : lines) {
        const auto date = line.rfind(',');
        content += line.substr(0, date) + ",a,b,c,d,e,f,g" + line.substr(date) + ",N,DD,1.00,\n";
    }
    CKTXTransactionFile reader(std::make_unique<std::istringstream>(content));
    EXPECT_TRUE(reader.PrepareColumns());
    StatementWarnings warnings;
    CTransactionRecord record;
    while (reader.ReadRecord(record)) {
        warnings.RecordRead(record, reader.LineNumber(), taken.empty() || record.AccountNumber() == taken.c_str());
    }
    return warnings.Lines(account);
}

StatementAccount AccountOf(const char* sortCode, const char* number) {
    StatementAccount account;
    account.SetSortCode(std::string_view(sortCode));
    account.SetAccountNumber(std::string_view(number));
    return account;
}

TEST(StatementWarnings, NamesTheFirstTransactionsWithoutADateAndCountsTheRest) {
    const auto lines = WarningsOf({"1,11,05/03/2010", "1,11,31/02/2010", "1,22,", "1,11,03/25/2010", "1,11,x", "1,11,y"},
                                  "11", std::nullopt);
    const std::vector<std::string> expected = {
        "line 3: the Date column holds '31/02/2010', which gives no date; the transaction is printed without one",
        "line 5: the Date column holds '03/25/2010', which gives no date; the transaction is printed without one",
        "line 6: the Date column holds 'x', which gives no date; the transaction is printed without one",
        "1 more transactions have no date",
    };
    EXPECT_EQ(lines, expected);  // line 4 is another account's: not printed, so no warning
}

TEST(StatementWarnings, AnAccountThatMatchedNothingHearsWhichAccountsTheFileHolds) {
    const auto none = AccountOf("99-99-99", "1");
    const std::vector<std::string> noMatch = {"1,11,05/03/2010", "2,22,05/03/2010", "1,11,05/03/2010", "3,33,05/03/2010"};
    EXPECT_EQ(WarningsOf(noMatch, "0", none),
              std::vector<std::string>{"no record is of sort code '999999' and account '1'; the file holds records of "
                                       "'1' '11', '2' '22', '3' '33'"});
    EXPECT_EQ(WarningsOf({"1,11,05/03/2010", "2,22,05/03/2010", "3,33,05/03/2010", "4,44,05/03/2010"}, "0", none).back(),
              "no record is of sort code '999999' and account '1'; the file holds records of '1' '11', '2' '22', "
              "'3' '33' and others");
    EXPECT_TRUE(WarningsOf(noMatch, "22", none).empty());  // one matched
    EXPECT_TRUE(WarningsOf({}, "0", none).empty());        // the file holds no record at all
}

}  // namespace
}  // namespace cli
