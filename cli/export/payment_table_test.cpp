#include "cli/export/payment_table.h"

#include <gtest/gtest.h>

#include "cli/shared/usage_error.h"

namespace cli {

namespace {

TEST(LoadPaymentTable, ReadsEveryPropertyByItsColumnName) {
    const std::string csv =
        "Value,PayerBankBACSReference,PayerBankSortCode,PayerBankAccountNumber,PayerBankAccountName,"
        "PayerBuildingSocietyRollNumber,PayeeBankBACSReference,PayeeBankSortCode,PayeeBankAccountNumber,"
        "PayeeBankAccountName,PayeeBuildingSocietyRollNumber,Reference,Details,Currency,Date,Status,ClientReference\r\n"
        "100.5,a,b,c,d,e,f,g,h,i,j,k,l,826,07/12/2026,1,m\r\n";
    const auto payments = LoadPaymentTable(csv);
    ASSERT_EQ(payments.size(), 1u);
    const PaymentRecord& p = payments[0];
    EXPECT_EQ(p.Value, 100.5);
    EXPECT_EQ(p.PayerBankBACSReference, u"a");
    EXPECT_EQ(p.PayerBankSortCode, u"b");
    EXPECT_EQ(p.PayerBankAccountNumber, u"c");
    EXPECT_EQ(p.PayerBankAccountName, u"d");
    EXPECT_EQ(p.PayerBuildingSocietyRollNumber, u"e");
    EXPECT_EQ(p.PayeeBankBACSReference, u"f");
    EXPECT_EQ(p.PayeeBankSortCode, u"g");
    EXPECT_EQ(p.PayeeBankAccountNumber, u"h");
    EXPECT_EQ(p.PayeeBankAccountName, u"i");
    EXPECT_EQ(p.PayeeBuildingSocietyRollNumber, u"j");
    EXPECT_EQ(p.Reference, u"k");
    EXPECT_EQ(p.Details, u"l");
    EXPECT_EQ(p.Currency, 826);
    EXPECT_EQ(p.Date, 46363);
    EXPECT_EQ(p.Status, 1);
    EXPECT_EQ(p.ClientReference, u"m");
}

TEST(LoadPaymentTable, MatchesNamesWithoutCaseInAnyOrderAndSubset) {
    const auto payments = LoadPaymentTable(
        "\xEF\xBB\xBFpayeebankaccountname,VALUE,payeeBankSortCode\n"
        "\"Smith, J\",12.50,20-00-00\n"
        "\"Caf\xC3\xA9 \"\"Le Coq\"\"\",3,\n");
    ASSERT_EQ(payments.size(), 2u);
    EXPECT_EQ(payments[0].PayeeBankAccountName, u"Smith, J");
    EXPECT_EQ(payments[0].Value, 12.5);
    EXPECT_EQ(payments[0].PayeeBankSortCode, u"20-00-00");
    EXPECT_EQ(payments[1].PayeeBankAccountName, u"Caf\u00E9 \"Le Coq\"");
    EXPECT_EQ(payments[1].PayeeBankSortCode, u"");
    // Missing columns read as empty text or 0.
    EXPECT_EQ(payments[1].PayerBankSortCode, u"");
    EXPECT_EQ(payments[1].Status, 0);
    EXPECT_EQ(payments[1].Date, 0);
}

TEST(LoadPaymentTable, AHeaderAloneIsAnEmptyList) {
    EXPECT_TRUE(LoadPaymentTable("Value,Status\r\n").empty());
}

TEST(LoadPaymentTable, KeepsLineBreaksAndCommasOfQuotedFieldsForTheChecksToSee) {
    const auto payments = LoadPaymentTable("PayeeBankAccountNumber,Value\n\"1234,567\",1\n\"12\r\n345678\",2\n");
    ASSERT_EQ(payments.size(), 2u);
    EXPECT_EQ(payments[0].PayeeBankAccountNumber, u"1234,567");
    EXPECT_EQ(payments[1].PayeeBankAccountNumber, u"12\r\n345678");
    EXPECT_EQ(payments[1].Value, 2);
}

struct UsageCase {
    std::string csv;
    std::string message;
};

TEST(LoadPaymentTable, RefusesBadInputNamingWhatAndWhere) {
    const UsageCase cases[] = {
        {"", "no header row naming the columns"},
        {"\n\n", "no header row naming the columns"},
        {"Value,Amount\n", "unknown column 'Amount' on line 1"},
        {"Value, Status\n", "unknown column ' Status' on line 1"},
        {"Value,\n", "unknown column '' on line 1"},
        {"Value,value\n", "column 'value' is named more than once (as Value)"},
        {"Value\n1\n2,3\n", "line 3 (payment 1) has 2 fields, the header names 1"},
        {"Value,Status\n1\n", "line 2 (payment 0) has 1 fields, the header names 2"},
        {"Value\n12,50\n", "line 2 (payment 0) has 2 fields, the header names 1"},
        {"Value\n\"12,50\"\n", "line 2 (payment 0), column Value: '12,50' is not a decimal number with '.' as the point"},
        {"Status\n0\n\n1.5\n", "line 4 (payment 1), column Status: '1.5' is not a whole number of 32 bits"},
        {"Status\n99999999999\n", "line 2 (payment 0), column Status: '99999999999' is outside the range of a whole number of 32 bits"},
        {"Currency\nGBP\n", "line 2 (payment 0), column Currency: 'GBP' is not a whole number of 16 bits"},
        {"Date\n31/02/2026\n", "line 2 (payment 0), column Date: '31/02/2026' is not an existing date written DD/MM/YYYY or YYYY-MM-DD"},
        {"PayeeBankAccountName\nCaf\xE9\n", "line 2 (payment 0), column PayeeBankAccountName: 'Caf\xE9' is not valid UTF-8 (at byte 4)"},
        {"Value\n\"1\r\n2\"\n", "line 2 (payment 0), column Value: '1\\r\\n2' is not a decimal number with '.' as the point"},
        {"Value\n\"1\n", "line 2: a quoted field is never closed"},
        {"Value\n\"1\"x\n", "line 2: text after the closing quote of a field"},
    };
    for (const auto& c : cases) {
        try {
            const auto payments = LoadPaymentTable(c.csv);
            ADD_FAILURE() << "'" << c.csv << "' gave " << payments.size() << " payments";
        } catch (const UsageError& e) {
            EXPECT_EQ(e.what(), c.message) << "'" << c.csv << "'";
        }
    }
}

}  // namespace

}  // namespace cli
