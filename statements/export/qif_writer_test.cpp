#include "statements/export/qif_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "statements/export/export_test_transactions.h"

namespace {

using export_test::Cheque;
using export_test::Date;
using export_test::Transaction;
using export_test::Written;

TEST(QifDocument, WritesOneRecordPerDatedTransaction) {
    QifDocument document(QifDateOrder::DayMonthYear);
    document.Add(Transaction());
    ExportedTransaction cheque = Cheque("000877", "CHEQUE PAID IN");
    cheque.debit = false;
    cheque.amount = 395;
    cheque.date = Date(2026, 12, 8);
    document.Add(cheque);
    ExportedTransaction undated = Transaction();
    undated.date = 0;
    document.Add(undated);
    EXPECT_EQ(Written(document),
              "!Type:Bank\r\n"
              "D05/03/2010\r\nT-12.50\r\nPTESCO STORES\r\nMTESCO STORES\r\n^\r\n"
              "D08/12/2026\r\nT395.00\r\nN000877\r\nPCHQ 000877 CHEQUE PAID IN\r\nMCHQ 000877 CHEQUE PAID IN\r\n^\r\n");
}

TEST(QifDocument, PutsTheMonthFirstWhenAsked) {
    QifDocument document(QifDateOrder::MonthDayYear);
    document.Add(Transaction());
    EXPECT_NE(Written(document).find("\r\nD03/05/2010\r\n"), std::string::npos);
}

TEST(QifDocument, HoldsOneAccount) {
    QifDocument empty(QifDateOrder::DayMonthYear);
    EXPECT_EQ(Written(empty), "!Type:Bank\r\n");
    QifDocument two(QifDateOrder::DayMonthYear);
    two.Add(Transaction());
    ExportedTransaction other = Transaction();
    other.sortCode = "654321";
    two.Add(other);
    ASSERT_EQ(two.Accounts().size(), 2u);
    EXPECT_EQ(two.Accounts()[1].sortCode, "654321");
    EXPECT_THROW(Written(two), std::invalid_argument);
}

}  // namespace
