#include "statements/transaction_record.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "statements/statement_test_lines.h"

namespace {

using namespace statement_test;

void ExpectEmpty(const CTransactionRecord& r) {
    for (const CString* text : {&r.SortCode(), &r.AccountNumber(), &r.AccountAlias(), &r.AccountShortName(), &r.Currency(),
                                &r.AccountType(), &r.Bic(), &r.BankName(), &r.BranchName(), &r.DateText(),
                                &r.NarrativeBuffer(), &r.Type()}) {
        EXPECT_TRUE(text->IsEmpty()) << "[" << text->GetString() << "]";
    }
    for (int line = 1; line <= 5; ++line) EXPECT_TRUE(r.Narrative(line).IsEmpty()) << "narrative " << line;
    EXPECT_EQ(r.DebitAmount(), 0);
    EXPECT_EQ(r.CreditAmount(), 0);
    EXPECT_EQ(r.DebitFlag(), 0);
    EXPECT_EQ(r.DateValue(), 0);
}

CTransactionRecord AFilledRecord() {
    Line line;
    for (auto& narrative : line.narratives) narrative = "text";
    line.debit = "3.00";
    const auto reader = ReaderOn(Lines({kLongHeader, line.Long()}));
    reader->PrepareColumns();
    CTransactionRecord record;
    EXPECT_TRUE(reader->ReadRecord(record));
    record.GetNarrative();
    return record;
}

TEST(CTransactionRecord, StartsEmpty) { ExpectEmpty(CTransactionRecord()); }

TEST(CTransactionRecord, ResetEmptiesEveryField) {
    CTransactionRecord record = AFilledRecord();
    ASSERT_FALSE(record.NarrativeBuffer().IsEmpty());
    record.Reset();
    ExpectEmpty(record);
}

TEST(CTransactionRecord, CopiesAreIndependent) {
    CTransactionRecord original = AFilledRecord();
    const CTransactionRecord copy = original;
    original.Reset();
    EXPECT_EQ(copy.Narrative(5), "text");
    EXPECT_EQ(copy.DebitAmount(), 3.0);
    EXPECT_EQ(copy.DebitFlag(), 1);
    EXPECT_EQ(copy.NarrativeBuffer(), "text text text text text");
}

TEST(CTransactionRecord, NarrativeLinesRunFrom1To5) {
    const CTransactionRecord record;
    for (const int line : {0, 6, -1}) {
        EXPECT_THROW(record.Narrative(line), CAtlException) << "line " << line;
    }
}

// The record keeps its own copy of its line: its fields stay its line's when the reader reads on
// into another record or is gone, whenever they are first asked for.
TEST(CTransactionRecord, KeepsItsLineWhenTheReaderMovesOn) {
    Line first, second;
    first.narratives[0] = "\"FIRST, LINE\"", first.type = "BGC";
    second.narratives[0] = "second", second.alias = "Other";
    CTransactionRecord one, two;
    {
        const auto reader = ReaderOn(Lines({kShortHeader, first.Short(), second.Short()}));
        reader->PrepareColumns();
        ASSERT_TRUE(reader->ReadRecord(one));
        ASSERT_TRUE(reader->ReadRecord(two));
    }
    EXPECT_EQ(one.Narrative(1), "FIRST, LINE");
    EXPECT_EQ(one.Type(), "BGC");
    EXPECT_EQ(one.AccountAlias(), "Household");
    EXPECT_EQ(two.AccountAlias(), "Other");
    EXPECT_EQ(two.Narrative(1), "second");
    CTransactionRecord copy;
    copy = two;
    two.Reset();
    EXPECT_EQ(copy.GetNarrative(), "second");
    EXPECT_EQ(copy.AccountAlias(), "Other");
}

}  // namespace
