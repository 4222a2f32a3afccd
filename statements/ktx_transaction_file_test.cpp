#include "statements/ktx_transaction_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "common/ole_date.h"
#include "platform/debug_output.h"
#include "statements/statement_test_lines.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace statement_test;
using Error = CTransactionRecord::ReadError;

// Reads the first data line of `content`; `ok` tells whether it could be read.
CTransactionRecord ReadFirst(const std::string& content, bool* ok = nullptr, Error* error = nullptr) {
    const auto reader = ReaderOn(content);
    CTransactionRecord record;
    const bool prepared = reader->PrepareColumns();
    const bool read = prepared && reader->ReadRecord(record);
    if (ok) *ok = read;
    if (error) *error = reader->LastError();
    return record;
}

TEST(ReadRecord, TakesEveryColumnOfTheLongLayout) {
    Line line;
    line.narratives[1] = "N2", line.narratives[2] = "N3", line.narratives[3] = "N4", line.narratives[4] = "N5";
    line.type = "BGC", line.credit = "7.00";
    bool ok = false;
    const auto r = ReadFirst(Lines({kLongHeader, line.Long()}), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.SortCode(), "123456");
    EXPECT_EQ(r.AccountNumber(), "12345678");
    EXPECT_EQ(r.AccountAlias(), "Household");
    EXPECT_EQ(r.AccountShortName(), "J SMITH");
    EXPECT_EQ(r.Currency(), "GBP");
    EXPECT_EQ(r.AccountType(), "Current");
    EXPECT_EQ(r.Bic(), "VARRGB22");
    EXPECT_EQ(r.BankName(), "Varrow Bank");
    EXPECT_EQ(r.BranchName(), "Quidlane");
    EXPECT_EQ(r.DateText(), "05/03/2010");
    EXPECT_EQ(r.DateValue(), ToOleDate({2010, 3, 5}).value());
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(r.Narrative(n), ("N" + std::to_string(n)).c_str()) << "narrative " << n;
    EXPECT_EQ(r.Type(), "BGC");
    EXPECT_EQ(r.DebitFlag(), 0);
    EXPECT_EQ(r.DebitAmount(), 0);
    EXPECT_EQ(r.CreditAmount(), 7.0);
}

TEST(ReadRecord, ShortLayoutTakesTypeAndAmountsFromColumns12To14) {
    Line line;
    line.type = "DD", line.debit = "12.50";
    bool ok = false;
    const auto r = ReadFirst(Lines({kShortHeader, line.Short()}), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.Narrative(1), "N1");
    for (int n = 2; n <= 5; ++n) EXPECT_EQ(r.Narrative(n), "") << "narrative " << n;
    EXPECT_EQ(r.Type(), "DD");
    EXPECT_EQ(r.DebitFlag(), 1);
    EXPECT_EQ(r.DebitAmount(), 12.5);
    EXPECT_EQ(r.CreditAmount(), 0);
}

// Each data line chooses its layout by its own field count; the header decides which columns exist.
TEST(ReadRecord, LayoutFollowsEachLineWithinTheHeadersColumns) {
    Line line;
    line.type = "DD", line.debit = "1.25";
    const struct {
        const char* what;
        std::string header;
        std::string data;
        bool readable;
    } cases[] = {
        {"14 under 14", kShortHeader, line.Short(), true},
        {"18 under 18", kLongHeader, line.Long(), true},
        {"14 under 18", kLongHeader, line.Short(), true},
        {"15 under 18", kLongHeader, line.ShortWithExtra(1), true},
        {"16 under 18", kLongHeader, line.ShortWithExtra(2), true},
        {"17 under 18", kLongHeader, line.ShortWithExtra(3), true},
        {"19 under 18", kLongHeader, line.ShortWithExtra(5), false},  // no layout has more than 18
        {"15 under 14", kShortHeader, line.ShortWithExtra(1), true},
        {"19 under 14", kShortHeader, line.ShortWithExtra(5), true},
        {"18 under 14", kShortHeader, line.Long(), false},
        {"13 under 14", kShortHeader, HeaderOf(13), false},
        {"13 under 18", kLongHeader, HeaderOf(13), false},
    };
    for (const auto& c : cases) {
        bool ok = false;
        const auto r = ReadFirst(Lines({c.header, c.data}), &ok);
        EXPECT_EQ(ok, c.readable) << c.what;
        if (!c.readable) continue;
        EXPECT_EQ(r.Type(), "DD") << c.what;
        EXPECT_EQ(r.DebitAmount(), 1.25) << c.what;
    }
}

TEST(ReadRecord, ExtraColumnsOfAShortLineAreIgnored) {
    Line line;
    line.type = "DD", line.debit = "", line.credit = "3.00";
    const std::string data = line.Short() + ",junk,more junk";  // 16 fields under an 18-field header
    bool ok = false;
    const auto r = ReadFirst(Lines({kLongHeader, data}), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.Type(), "DD");
    EXPECT_EQ(r.CreditAmount(), 3.0);
    EXPECT_EQ(r.Narrative(2), "");
}

TEST(PrepareColumns, OnlyHeadersOf14Or18FieldsAreStatements) {
    Line line;
    line.credit = "1.00";
    for (int fields = 1; fields <= 22; ++fields) {
        const auto reader = ReaderOn(Lines({HeaderOf(fields), line.Short(), line.Long()}));
        EXPECT_EQ(reader->HeaderFieldCount(), fields);
        const bool statement = fields == 14 || fields == 18;
        EXPECT_EQ(reader->PrepareColumns(), statement) << fields << " header fields";
        CTransactionRecord record;
        EXPECT_EQ(reader->ReadRecord(record), statement) << fields << " header fields";
    }
}

TEST(PrepareColumns, HeaderTitlesAreNeverCompared) {
    const auto reader = ReaderOn(Lines({"a,b,c,d,e,f,g,h,i,j,k,l,m,\"n,with comma\""}));
    EXPECT_EQ(reader->HeaderFieldCount(), 14);
    EXPECT_TRUE(reader->PrepareColumns());
}

TEST(PrepareColumns, EmptyFileHasAHeaderOfOneField) {
    const auto reader = ReaderOn("");
    EXPECT_EQ(reader->HeaderFieldCount(), 1);
    EXPECT_FALSE(reader->PrepareColumns());
}

TEST(ReadRecord, KeepsTheLeftmostCharactersOfEachColumn) {
    const std::string long60(60, 'x');
    Line line;
    line.sortCode = "12-34-56", line.account = "123456789", line.alias = long60, line.shortName = long60,
    line.currency = "GBPX", line.accountType = long60, line.bic = long60, line.bank = long60, line.branch = long60;
    for (auto& narrative : line.narratives) narrative = long60;
    line.type = "CHQX", line.date = "05/03/2010" + std::string(40, ' ');
    bool ok = false;
    const auto r = ReadFirst(Lines({kLongHeader, line.Long()}), &ok);
    ASSERT_TRUE(ok);
    const struct {
        const CString& value;
        std::size_t kept;
    } cases[] = {{r.AccountAlias(), 35}, {r.AccountShortName(), 35}, {r.AccountType(), 20}, {r.Bic(), 34},
                 {r.BankName(), 35},     {r.BranchName(), 27},       {r.Narrative(1), 50},  {r.Narrative(5), 50}};
    for (const auto& c : cases) EXPECT_EQ(c.value.View(), long60.substr(0, c.kept)) << "kept " << c.kept;
    EXPECT_EQ(r.SortCode(), "12-34-");  // no digit filtering in the reader
    EXPECT_EQ(r.AccountNumber(), "12345678");
    EXPECT_EQ(r.Currency(), "GBP");
    EXPECT_EQ(r.Type(), "CHQ");
    EXPECT_EQ(r.DateText().GetLength(), 50);  // the Date text is kept whole
}

TEST(ReadRecord, QuotedColumnsLoseTheirQuotesAndKeepTheirCommas) {
    Line line;
    line.sortCode = "\"123456\"", line.alias = "\"Smith, J & Co\"", line.narratives[0] = "\"A \"\"quoted\"\" word\"";
    line.date = "\"05/03/2010\"", line.credit = "\"1,234.56\"";
    bool ok = false;
    const auto r = ReadFirst(Lines({kShortHeader, line.Short()}), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.SortCode(), "123456");
    EXPECT_EQ(r.AccountAlias(), "Smith, J & Co");
    EXPECT_EQ(r.Narrative(1), "A \"\"quoted\"\" word");
    EXPECT_EQ(r.DateText(), "05/03/2010");
    EXPECT_EQ(r.DateValue(), ToOleDate({2010, 3, 5}).value());
    EXPECT_EQ(r.CreditAmount(), 1234.56);
}

TEST(ReadRecord, TextIsStoredExactlyAsItStands) {
    Line line;
    line.alias = "  spaced  ", line.narratives[0] = "Mixed Case";
    const auto r = ReadFirst(Lines({kShortHeader, line.Short()}));
    EXPECT_EQ(r.AccountAlias(), "  spaced  ");
    EXPECT_EQ(r.Narrative(1), "Mixed Case");
}

TEST(ReadRecord, DebitBeforeCredit) {
    const struct {
        const char* debit;
        const char* credit;
        int flag;
        double debitAmount, creditAmount;
    } cases[] = {
        {"12.50", "", 1, 12.5, 0},
        {"-12.50", "", 1, 12.5, 0},
        {"", "7.00", 0, 0, 7},
        {"", "", 0, 0, 0},
        {"0.00", "12.50", 0, 0, 12.5},
        {"5.00", "7.00", 1, 5, 0},  // a debit wins; the credit column is not read
        {"0.000005", "0.000005", 0, 0, 0},  // exactly the threshold is no amount
        {"0.0000051", "", 1, 0.0000051, 0},
        {"", "0.0000051", 0, 0, 0.0000051},
        {"", "\"1,234.56\"", 0, 0, 1234.56},
        {"\"-3.00\"", "", 1, 3, 0},
    };
    for (const auto& c : cases) {
        for (const bool longLayout : {false, true}) {
            Line line;
            line.debit = c.debit, line.credit = c.credit;
            bool ok = false;
            const auto r = ReadFirst(Lines({longLayout ? kLongHeader : kShortHeader, longLayout ? line.Long() : line.Short()}), &ok);
            ASSERT_TRUE(ok) << c.debit << " / " << c.credit;
            EXPECT_EQ(r.DebitFlag(), c.flag) << c.debit << " / " << c.credit << (longLayout ? " long" : " short");
            EXPECT_EQ(r.DebitAmount(), c.debitAmount) << c.debit << " / " << c.credit;
            EXPECT_EQ(r.CreditAmount(), c.creditAmount) << c.debit << " / " << c.credit;
        }
    }
}

// A separator inside an unquoted value moves every later column: a type code, a narrative or a
// title lands where an amount belongs, and reading on would make a payment a receipt.
TEST(ReadRecord, RefusesALineWhoseColumnsMoved) {
    Line commaInNarrative;  // "SMITH, J" unquoted: the type BAC lands in the Debit column
    commaInNarrative.narratives[0] = "SMITH, J", commaInNarrative.type = "BAC", commaInNarrative.debit = "1250.00";
    Line good;
    good.debit = "12.50";
    const auto withAmounts = [](const char* debit, const char* credit) {
        Line line;
        line.debit = debit, line.credit = credit;
        return line;
    };
    const struct {
        const char* what;
        std::string header;
        std::string line;
        Error error;
        const char* reason;
    } cases[] = {
        {"a comma in a narrative of a short line", kShortHeader, commaInNarrative.Short(), CTransactionRecord::NotAnAmount,
         "the Debit column holds 'BAC', not an amount"},
        {"a comma in a narrative of a long line", kLongHeader, commaInNarrative.Long(), CTransactionRecord::TooManyFields,
         "it has 19 fields under a header of 18"},
        {"a pound sign", kShortHeader, withAmounts("\"\xA3" "1,250.00\"", "").Short(), CTransactionRecord::NotAnAmount,
         "the Debit column holds '\xA3" "1,250.00', not an amount"},
        {"brackets", kLongHeader, withAmounts("", "(64.99)").Long(), CTransactionRecord::NotAnAmount,
         "the Credit column holds '(64.99)', not an amount"},
        {"a currency after the amount", kShortHeader, withAmounts("1250.00 GBP", "").Short(),
         CTransactionRecord::NotAnAmount, "the Debit column holds '1250.00 GBP', not an amount"},
        {"a repeated header", kShortHeader, kShortHeader, CTransactionRecord::NotAnAmount,
         "the Debit column holds 'Debit', not an amount"},
        {"text in the credit column after a debit", kShortHeader, withAmounts("5.00", "abc").Short(),
         CTransactionRecord::NotAnAmount, "the Credit column holds 'abc', not an amount"},
    };
    for (const auto& c : cases) {
        const auto reader = ReaderOn(Lines({c.header, good.Short(), c.line, good.Short()}));
        ASSERT_TRUE(reader->PrepareColumns());
        CTransactionRecord record;
        EXPECT_TRUE(reader->ReadRecord(record)) << c.what;
        EXPECT_FALSE(reader->ReadRecord(record)) << c.what;
        EXPECT_EQ(reader->LastError(), c.error) << c.what;
        EXPECT_EQ(reader->LastReason(), c.reason) << c.what;
        EXPECT_EQ(reader->LineNumber(), 3) << c.what;
    }
}

TEST(ReadRecord, EveryReasonHasItsWords) {
    Line line;
    line.credit = "1.00";
    const auto reader = ReaderOn(Lines({kShortHeader, line.Short(), "x"}));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    ASSERT_TRUE(reader->ReadRecord(record));
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_EQ(reader->LastReason(), "it has fewer than 14 fields");
}

TEST(ReadRecord, ADebitSparesTheCreditColumnFromBeingRead) {
    Line line;
    line.debit = "5.00", line.credit = std::string(600, '9');  // longer than any column may be
    bool ok = false;
    const auto r = ReadFirst(Lines({kLongHeader, line.Long()}), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(r.DebitAmount(), 5.0);
    line.debit = "";
    ReadFirst(Lines({kLongHeader, line.Long()}), &ok);
    EXPECT_FALSE(ok);
}

TEST(ReadRecord, AnAmountTooLargeForADoubleIsRefused) {
    Line line;
    line.credit = "1e400";
    bool ok = true;
    Error error{};
    ReadFirst(Lines({kShortHeader, line.Short()}), &ok, &error);
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, CTransactionRecord::AmountOutOfRange);
}

TEST(ReadRecord, CrLfAndLfGiveTheSameRecords) {
    Line plain, quoted, empty;
    plain.debit = "12.50";
    quoted.credit = "\"1,234.56\"", quoted.narratives[0] = "\"Smith, J\"";
    const std::vector<std::string> bodies[] = {
        {kShortHeader, plain.Short(), quoted.Short(), empty.Short()},
        {kLongHeader, plain.Long(), quoted.Long(), empty.Long(), plain.Short()},
        {kLongHeader, plain.ShortWithExtra(2), quoted.ShortWithExtra(3)},
    };
    for (const auto& body : bodies) {
        const auto lf = ReaderOn(Lines(body, "\n"));
        const auto crlf = ReaderOn(Lines(body, "\r\n"));
        ASSERT_TRUE(lf->PrepareColumns());
        ASSERT_TRUE(crlf->PrepareColumns());
        for (std::size_t i = 1; i < body.size(); ++i) {
            CTransactionRecord a, b;
            ASSERT_TRUE(lf->ReadRecord(a)) << body[i];
            ASSERT_TRUE(crlf->ReadRecord(b)) << body[i];
            EXPECT_EQ(a.SortCode(), b.SortCode());
            EXPECT_EQ(a.Narrative(1), b.Narrative(1)) << body[i];
            EXPECT_EQ(a.Type(), b.Type()) << body[i];
            EXPECT_EQ(a.DebitAmount(), b.DebitAmount()) << body[i];
            EXPECT_EQ(a.CreditAmount(), b.CreditAmount()) << body[i];
            EXPECT_EQ(a.DebitFlag(), b.DebitFlag()) << body[i];
        }
    }
}

// The rows of the reader's failure table, plus the limits that keep any line inside its buffers.
TEST(ReadRecord, RefusesWhatItCannotRead) {
    Line good;
    good.credit = "1.00";
    Line longField = good;
    longField.narratives[0] = std::string(512, 'n');
    Line fieldAtLimit = good;
    fieldAtLimit.narratives[0] = std::string(511, 'n');
    // Padded in a 15th column, which the short layout never reads.
    const std::string lineAtLimit = good.Short() + "," + std::string(kMaxStatementLineLength - good.Short().size() - 1, ' ');
    const std::string longLine = lineAtLimit + " ";
    const struct {
        const char* what;
        std::string header;
        std::string line;
        bool readable;
        Error error;
    } cases[] = {
        {"fewer than 14 fields", kShortHeader, HeaderOf(13), false, CTransactionRecord::FieldCountTooLow},
        {"an empty line", kShortHeader, "", false, CTransactionRecord::FieldCountTooLow},
        {"a blank line", kShortHeader, "  \r", false, CTransactionRecord::FieldCountTooLow},
        {"18 fields under 14", kShortHeader, good.Long(), false, CTransactionRecord::ColumnOutOfRange},
        {"a column of 512", kShortHeader, longField.Short(), false, CTransactionRecord::FieldTooLong},
        {"a column of 511", kShortHeader, fieldAtLimit.Short(), true, CTransactionRecord::NoReadError},
        {"a line of 2048", kShortHeader, longLine, false,
         CTransactionRecord::LineTooLong},
        {"a line of 2047", kShortHeader, lineAtLimit, true, CTransactionRecord::NoReadError},
        {"a NUL byte", kShortHeader, good.Short() + std::string(1, '\0') + "x", false, CTransactionRecord::NulInLine},
        {"ending inside a quote, 14 fields left", kShortHeader, good.Short() + ",\"open", true,
         CTransactionRecord::NoReadError},
        {"ending inside a quote, 13 fields left", kShortHeader, good.Short() + "\"", false,
         CTransactionRecord::FieldCountTooLow},
    };
    for (const auto& c : cases) {
        bool ok = !c.readable;
        Error error{};
        ReadFirst(c.header + "\n" + c.line + "\n" + good.Short() + "\n", &ok, &error);
        EXPECT_EQ(ok, c.readable) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
}

TEST(ReadRecord, AFileEndingInsideAQuoteIsReadToItsLastCharacter) {
    Line line;
    line.credit = "\"12.50";  // no closing quote, and no final LF
    const auto reader = ReaderOn(kShortHeader + "\n" + line.Short());
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    EXPECT_FALSE(reader->ReadRecord(record));  // its last field is swallowed by the open quote
    EXPECT_EQ(reader->LastError(), CTransactionRecord::FieldCountTooLow);
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_TRUE(reader->AtEndOfFile());
}

TEST(ReadRecord, ALineTooLongIsNotReadNorAnythingAfterIt) {
    Line line;
    line.credit = "1.00";
    const auto reader = ReaderOn(Lines({kShortHeader, line.Short(), std::string(3000, 'x'), line.Short()}));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    EXPECT_TRUE(reader->ReadRecord(record));
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_EQ(reader->LastError(), CTransactionRecord::LineTooLong);
    EXPECT_EQ(reader->LineNumber(), 3);
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_FALSE(reader->AtEndOfFile());
}

TEST(ReadRecord, EachCallConsumesOneLine) {
    Line a, b;
    a.credit = "1.00", b.credit = "2.00";
    const auto reader = ReaderOn(Lines({kShortHeader, a.Short(), "", b.Short()}));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    EXPECT_TRUE(reader->ReadRecord(record));
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_TRUE(reader->LastLineWasBlank());
    EXPECT_EQ(reader->LineNumber(), 3);
    EXPECT_TRUE(reader->ReadRecord(record));  // asked again, it goes on with the next line
    EXPECT_EQ(record.CreditAmount(), 2.0);
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_TRUE(reader->AtEndOfFile());
    EXPECT_EQ(reader->LastError(), CTransactionRecord::FieldCountTooLow);
}

TEST(ReadRecord, ALastLineWithoutLfIsReadLikeAnyOther) {
    Line line;
    line.credit = "9.99";
    const auto reader = ReaderOn(kShortHeader + "\n" + line.Short());
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    ASSERT_TRUE(reader->ReadRecord(record));
    EXPECT_EQ(record.CreditAmount(), 9.99);
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_TRUE(reader->AtEndOfFile());
}

TEST(ReadRecord, AFailedReadKeepsWhatWasFilledBeforeIt) {
    Line line;
    line.narratives[1] = "N2", line.narratives[2] = "N3", line.narratives[3] = "N4", line.narratives[4] = "N5";
    bool ok = true;
    const auto r = ReadFirst(Lines({kShortHeader, line.Long()}), &ok);  // column 15 is beyond the header
    EXPECT_FALSE(ok);
    EXPECT_EQ(r.BranchName(), "Quidlane");
    EXPECT_EQ(r.Narrative(4), "N4");
    EXPECT_EQ(r.Narrative(5), "");
}

TEST(ReadRecord, ResetsTheRecordBeforeEachLine) {
    Line first, second;
    first.debit = "4.00", first.narratives[1] = "old";
    second.credit = "5.00", second.sortCode = "";
    const auto reader = ReaderOn(Lines({kLongHeader, first.Long(), second.Long()}));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    ASSERT_TRUE(reader->ReadRecord(record));
    ASSERT_TRUE(reader->ReadRecord(record));
    EXPECT_EQ(record.SortCode(), "");
    EXPECT_EQ(record.Narrative(2), "");
    EXPECT_EQ(record.DebitFlag(), 0);
    EXPECT_EQ(record.DebitAmount(), 0);
    EXPECT_EQ(record.CreditAmount(), 5.0);
}

TEST(ReadRecord, WithoutPreparedColumnsNoColumnExists) {
    Line line;
    const auto reader = ReaderOn(Lines({kShortHeader, line.Short()}));
    CTransactionRecord record;
    EXPECT_FALSE(reader->ReadRecord(record));
    EXPECT_EQ(reader->LastError(), CTransactionRecord::ColumnOutOfRange);
}

// Each reader has its own column list: preparing a long-layout reader must not let a short-layout
// reader take columns beyond its own header.
TEST(ReadRecord, ReadersKeepTheirOwnColumns) {
    Line line;
    line.credit = "1.00";
    const auto shortReader = ReaderOn(Lines({kShortHeader, line.Long()}));
    const auto longReader = ReaderOn(Lines({kLongHeader, line.Long()}));
    ASSERT_TRUE(shortReader->PrepareColumns());
    ASSERT_TRUE(longReader->PrepareColumns());
    CTransactionRecord record;
    EXPECT_FALSE(shortReader->ReadRecord(record));
    EXPECT_TRUE(longReader->ReadRecord(record));
}

TEST(ReadRecord, ReadersOnTwoThreadsReadTheirOwnFiles) {
    const auto readAll = [](const std::string& header, const std::string& line, int count, int* read, double* sum) {
        std::vector<std::string> lines{header};
        lines.insert(lines.end(), static_cast<std::size_t>(count), line);
        const auto reader = ReaderOn(Lines(lines));
        reader->PrepareColumns();
        CTransactionRecord record;
        while (reader->ReadRecord(record)) {
            ++*read;
            *sum += record.CreditAmount();
        }
    };
    Line a, b;
    a.credit = "1.00", b.credit = "2.00";
    int readA = 0, readB = 0;
    double sumA = 0, sumB = 0;
    std::thread first(readAll, kShortHeader, a.Short(), 20000, &readA, &sumA);
    std::thread second(readAll, kLongHeader, b.Long(), 20000, &readB, &sumB);
    first.join();
    second.join();
    EXPECT_EQ(readA, 20000);
    EXPECT_EQ(readB, 20000);
    EXPECT_EQ(sumA, 20000.0);
    EXPECT_EQ(sumB, 40000.0);
}

TEST(ReadRecord, GetNarrativeJoinsTheNonEmptyLines) {
    const struct {
        std::vector<std::string> narratives;
        const char* joined;
    } cases[] = {
        {{"A", "", "", "", ""}, "A"},
        {{"A", "B", "", "", ""}, "A B"},
        {{"", "ABC", "", "", ""}, " ABC"},
        {{"A", "", "C", "", "E"}, "A C E"},
        {{"", "", "", "", ""}, ""},
        {{"1", "2", "3", "4", "5"}, "1 2 3 4 5"},
    };
    for (const auto& c : cases) {
        Line line;
        for (int i = 0; i < 5; ++i) line.narratives[i] = c.narratives[static_cast<std::size_t>(i)];
        auto record = ReadFirst(Lines({kLongHeader, line.Long()}));
        EXPECT_EQ(record.GetNarrative(), c.joined);
        EXPECT_EQ(record.NarrativeBuffer(), c.joined);
    }
}

// The debugger channel, which the command line shows on standard error with --debug.
class DebugOutput : public testing::Test {
protected:
    void SetUp() override { platform::EnableDebugOutputToStderr(true); }
    void TearDown() override { platform::EnableDebugOutputToStderr(false); }
};

TEST_F(DebugOutput, ARefusedLineSaysSo) {
    const auto reader = ReaderOn(Lines({kShortHeader, "x"}));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    testing::internal::CaptureStderr();
    reader->ReadRecord(record);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to read the Balance record\n");
}

TEST_F(DebugOutput, ALineWhoseColumnsMovedIsNamedWithItsReason) {
    Line line;
    line.narratives[0] = "SMITH, J", line.type = "BAC", line.debit = "1250.00";
    const auto reader = ReaderOn(Lines({kShortHeader, line.Short()}, "\r\n"));
    ASSERT_TRUE(reader->PrepareColumns());
    CTransactionRecord record;
    testing::internal::CaptureStderr();
    reader->ReadRecord(record);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Failed to read the Balance record\n" "line 2: the Debit column holds 'BAC', not an amount\n");
}

TEST_F(DebugOutput, AReaderWithoutItsFileSaysSo) {
    const TempDir dir;
    CKTXTransactionFile reader(dir.File("missing.csv"), std::ios::in | std::ios::binary);
    CTransactionRecord record;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "File Stream is NOT open" "Failed to read the Balance record\n");
    EXPECT_EQ(reader.LastError(), CTransactionRecord::StreamNotOpen);
}

TEST_F(DebugOutput, AHeaderThatCannotBeReadNamesTheFile) {
    const TempDir dir;
    const std::string path = dir.Write("long.csv", std::string(3000, ',') + "\n");
    testing::internal::CaptureStderr();
    CKTXTransactionFile reader(path, std::ios::in | std::ios::binary);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Failed to Open the file: " + path + "CKTXTransactionFile() failed to open: " + path);
    EXPECT_EQ(reader.HeaderFieldCount(), 0);
}

TEST_F(DebugOutput, AFileThatCannotBeOpenedIsSilent) {
    const TempDir dir;
    testing::internal::CaptureStderr();
    CKTXTransactionFile reader(dir.File("missing.csv"), std::ios::in);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.HeaderFieldCount(), 0);
    EXPECT_FALSE(reader.PrepareColumns());
}

TEST(CKTXTransactionFile, AHeaderWithANulByteIsNoHeader) {
    const auto reader = ReaderOn(kShortHeader + std::string(1, '\0') + "\n");
    EXPECT_EQ(reader->HeaderFieldCount(), 0);
}

TEST(CKTXTransactionFile, ReadsARealFileInBinaryAndInTextMode) {
    const TempDir dir;
    Line line;
    line.credit = "\"1,234.56\"";
    const std::string path = dir.Write("statement.csv", Lines({kShortHeader, line.Short()}, "\r\n"));
    for (const auto mode : {std::ios::in | std::ios::binary, std::ios::in}) {
        CKTXTransactionFile reader(path, mode);
        EXPECT_TRUE(reader.IsOpen());
        ASSERT_TRUE(reader.PrepareColumns());
        CTransactionRecord record;
        ASSERT_TRUE(reader.ReadRecord(record));
        EXPECT_EQ(record.CreditAmount(), 1234.56);
    }
}

// The import's path buffer holds 259 characters: a longer path is not opened, lest the recogniser
// accept a file that the import could not take.
TEST(CKTXTransactionFile, OpensNoPathLongerThan259Characters) {
    const TempDir dir;
    const std::string base = dir.File("");
    const auto pathOfLength = [&](std::size_t length) { return base + std::string(length - base.size(), 'p'); };
    ASSERT_LT(base.size(), 200u);
    const std::string content = Lines({kShortHeader});
    for (const std::size_t length : {kMaxStatementPathLength, kMaxStatementPathLength + 1}) {
        const std::string path = pathOfLength(length);
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        std::ofstream(path, std::ios::binary) << content;
        const bool exists = std::filesystem::exists(path);
        CKTXTransactionFile reader(path, std::ios::in);
        const bool accepted = length <= kMaxStatementPathLength;
        EXPECT_EQ(reader.IsOpen(), accepted && exists) << "path of " << length;
        EXPECT_EQ(reader.HeaderFieldCount(), accepted && exists ? 14 : 0) << "path of " << length;
        EXPECT_TRUE(exists || !accepted) << "a path of " << length << " could not be created";
    }
}

TEST(IsAcceptedStatementPath, RefusesEmptyOverlongAndNulPaths) {
    EXPECT_TRUE(IsAcceptedStatementPath("a.csv"));
    EXPECT_TRUE(IsAcceptedStatementPath(std::string(259, 'a')));
    EXPECT_FALSE(IsAcceptedStatementPath(std::string(260, 'a')));
    EXPECT_FALSE(IsAcceptedStatementPath(""));
    EXPECT_FALSE(IsAcceptedStatementPath(std::string("a.csv\0b", 7)));
}

}  // namespace
