#include "statements/export/exported_transaction.h"

#include <gtest/gtest.h>

#include "statements/statement_test_lines.h"

namespace {

TEST(ExportedTransaction, HoldsWhatTheHostReceivesAndTheRecordsOwnColumns) {
    statement_test::Line line;
    line.currency = "EUR";
    line.accountType = "Business Reserve";
    line.narratives[0] = "000123";
    line.narratives[1] = "PAYEE";
    line.type = "CHQ";
    line.credit = "7.00";
    const auto reader = statement_test::ReaderOn(statement_test::Lines({statement_test::kLongHeader, line.Long()}));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    ASSERT_TRUE(reader->ReadRecord(record));

    ExportedTransaction t;
    t.narrative = "left over from the last one";
    t.Start(record);
    ExportedTransactionSink sink(t);
    HandTransaction(record, 3, sink);
    EXPECT_EQ(t.number, 3);
    EXPECT_EQ(t.sortCode, "123456");
    EXPECT_EQ(t.account, "12345678");
    EXPECT_EQ(t.currency, "EUR");
    EXPECT_EQ(t.accountType, "Business Reserve");
    EXPECT_EQ(t.typeCode, "CHQ");
    EXPECT_EQ(t.date, record.DateValue());
    EXPECT_FALSE(t.debit);
    EXPECT_EQ(t.amount, 7.0);
    EXPECT_EQ(t.narrative, "CHQ 000123 PAYEE");
    EXPECT_EQ(t.ChequeNumber(), "000123");
}

}  // namespace
