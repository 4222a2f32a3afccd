#include "statements/statement_import.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/ole_date.h"
#include "statements/statement_test_lines.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace statement_test;

// Writes down every host call, one transaction per line: "3:1 5:40242 11:0 37:12.5 31:[N1] 7:[DD]".
class RecordingCollection : public TransactionCollection {
public:
    std::vector<std::string> transactions;
    std::vector<std::string> reads;  // "line:account:taken" for every record read

    void RecordRead(const CTransactionRecord& record, long line, bool ofTheAccount) override {
        reads.push_back(std::to_string(line) + ":" + std::string(record.AccountNumber().View()) + ":" +
                        (ofTheAccount ? "taken" : "skipped"));
    }

    std::unique_ptr<TransactionSink> AddTransaction(const CTransactionRecord&) override {
        transactions.emplace_back();
        return std::make_unique<Sink>(transactions.back());
    }

private:
    class Sink : public TransactionSink {
    public:
        explicit Sink(std::string& log) : log_(log) {}
        void SetNumber(std::int32_t number) override { Note(3, std::to_string(number)); }
        void SetDate(double date) override { Note(5, Number(date)); }
        void SetDirection(std::int32_t direction) override { Note(11, std::to_string(direction)); }
        void SetAmount(double amount) override { Note(37, Number(amount)); }
        void SetNarrative(const CString& narrative) override { Note(31, "[" + std::string(narrative.View()) + "]"); }
        void SetType(const CString& type) override { Note(7, "[" + std::string(type.View()) + "]"); }

    private:
        static std::string Number(double value) {
            std::ostringstream text;
            text << value;
            return text.str();
        }
        void Note(int method, const std::string& value) {
            log_ += (log_.empty() ? "" : " ") + std::to_string(method) + ":" + value;
        }
        std::string& log_;
    };
};

StatementAccount Account(const char* sortCode, const char* accountNumber) {
    StatementAccount account;
    account.SetSortCode(std::string_view(sortCode));
    account.SetAccountNumber(std::string_view(accountNumber));
    return account;
}

struct Imported {
    ImportOutcome outcome;
    std::vector<std::string> transactions;
    std::vector<std::string> reads;
};

Imported Import(const std::string& content, const std::optional<StatementAccount>& account = Account("12-34-56", "12345678")) {
    const TempDir dir;
    RecordingCollection collection;
    Imported result;
    result.outcome = ImportStatementFile(dir.Write("statement.csv", content), account, collection);
    result.transactions = collection.transactions;
    result.reads = collection.reads;
    return result;
}

TEST(HandTransaction, HandsTheValuesInTheHostsOrder) {
    Line debit, credit, neither;
    debit.debit = "12.50";
    credit.credit = "7.00", credit.type = "BGC", credit.narratives[1] = "SALARY";
    neither.date = "";
    const auto imported = Import(Lines({kLongHeader, debit.Long(), credit.Long(), neither.Long()}));
    const std::vector<std::string> expected = {
        "3:1 5:40242 11:0 37:12.5 31:[N1] 7:[DD]",
        "3:2 5:40242 11:1 37:7 31:[N1 SALARY] 7:[BGC]",
        "3:3 5:0 11:1 37:0 31:[N1] 7:[DD]",
    };
    EXPECT_EQ(imported.transactions, expected);
    EXPECT_EQ(imported.outcome.added, 3);
    EXPECT_EQ(imported.outcome.stoppedAtLine, 0);
}

TEST(HandTransaction, ACheque) {
    const struct {
        const char* type;
        const char* narrative1;
        const char* narrative2;
        const char* expected;
    } cases[] = {
        {"CHQ", "000123", "PAYEE", "3:1 5:40242 11:0 37:25 31:[000123 PAYEE] 7:[000123] 31:[CHQ 000123 PAYEE]"},
        {"CHQ", "", "PAYEE", "3:1 5:40242 11:0 37:25 31:[ PAYEE] 7:[] 31:[CHQ  PAYEE]"},
        {"CHQ", "000123", "", "3:1 5:40242 11:0 37:25 31:[000123] 7:[000123] 31:[CHQ 000123]"},
        {"chq", "000123", "PAYEE", "3:1 5:40242 11:0 37:25 31:[000123 PAYEE] 7:[chq]"},  // case counts
        {"\"CHQ\"", "000123", "", "3:1 5:40242 11:0 37:25 31:[000123] 7:[000123] 31:[CHQ 000123]"},
        {"CHQS", "000123", "", "3:1 5:40242 11:0 37:25 31:[000123] 7:[000123] 31:[CHQ 000123]"},  // kept as CHQ
        {"CH", "000123", "", "3:1 5:40242 11:0 37:25 31:[000123] 7:[CH]"},
    };
    for (const auto& c : cases) {
        Line line;
        line.type = c.type, line.narratives[0] = c.narrative1, line.narratives[1] = c.narrative2, line.debit = "25.00";
        const auto imported = Import(Lines({kLongHeader, line.Long()}));
        ASSERT_EQ(imported.transactions.size(), 1u) << c.type;
        EXPECT_EQ(imported.transactions[0], c.expected) << c.type << " " << c.narrative1 << " " << c.narrative2;
    }
}

TEST(ImportStatementFile, TakesOnlyTheAccountsRecordsAndNumbersThemInOrder) {
    Line mine, other, otherSortCode;
    mine.credit = "1.00";
    other.account = "87654321", other.credit = "2.00";
    otherSortCode.sortCode = "654321", otherSortCode.credit = "3.00";
    const auto imported = Import(Lines({kShortHeader, mine.Short(), other.Short(), otherSortCode.Short(), mine.Short()}));
    const std::vector<std::string> expected = {"3:1 5:40242 11:1 37:1 31:[N1] 7:[DD]",
                                               "3:2 5:40242 11:1 37:1 31:[N1] 7:[DD]"};
    EXPECT_EQ(imported.transactions, expected);
}

TEST(ImportStatementFile, WithoutAnAccountTakesEveryReadableRecord) {
    Line mine, other;
    other.account = "87654321";
    const auto imported = Import(Lines({kShortHeader, mine.Short(), other.Short()}), std::nullopt);
    EXPECT_EQ(imported.transactions.size(), 2u);
    EXPECT_EQ(imported.outcome.added, 2);
}

TEST(ImportStatementFile, AnAccountNumberLongerThanTheRecordKeepsNeverMatches) {
    Line line;
    line.account = "123456789";
    EXPECT_TRUE(Import(Lines({kShortHeader, line.Short()}), Account("123456", "123456789")).transactions.empty());
}

TEST(ImportStatementFile, StopsAtTheFirstLineThatCannotBeRead) {
    Line line;
    const auto imported = Import(Lines({kShortHeader, line.Short(), line.Short(), "", line.Short()}));
    EXPECT_EQ(imported.transactions.size(), 2u);
    EXPECT_EQ(imported.outcome.stoppedAtLine, 4);
    EXPECT_EQ(imported.outcome.stopReason, CTransactionRecord::FieldCountTooLow);
    EXPECT_EQ(imported.outcome.stopReasonText, "it has fewer than 14 fields");
}

TEST(ImportStatementFile, TellsTheCollectionOfEveryRecordReadWithItsLine) {
    Line ours, other;
    other.account = "87654321";
    const auto imported = Import(Lines({kShortHeader, other.Short(), ours.Short(), "", ours.Short()}));
    const std::vector<std::string> expected = {"2:87654321:skipped", "3:12345678:taken"};
    EXPECT_EQ(imported.reads, expected);
    EXPECT_EQ(imported.transactions.size(), 1u);
}

TEST(ImportStatementFile, TellsTheEndOfTheFileFromAnUnreadableLine) {
    Line line;
    const struct {
        const char* what;
        std::string content;
        long stoppedAtLine;
        CTransactionRecord::ReadError reason;
    } cases[] = {
        {"LF at the end", Lines({kShortHeader, line.Short()}), 0, CTransactionRecord::NoReadError},
        {"no LF at the end", kShortHeader + "\n" + line.Short(), 0, CTransactionRecord::NoReadError},
        {"trailing blank lines", Lines({kShortHeader, line.Short(), "", " \r", ""}), 0, CTransactionRecord::NoReadError},
        {"CRLF and a trailing blank line", Lines({kShortHeader, line.Short(), ""}, "\r\n"), 0,
         CTransactionRecord::NoReadError},
        {"a blank line before data", Lines({kShortHeader, line.Short(), "", "x"}), 3, CTransactionRecord::FieldCountTooLow},
        {"a short line", Lines({kShortHeader, line.Short(), "a,b,c"}), 3, CTransactionRecord::FieldCountTooLow},
        {"18 under 14", Lines({kShortHeader, line.Long()}), 2, CTransactionRecord::ColumnOutOfRange},
        {"an overlong line", Lines({kShortHeader, line.Short(), std::string(2048, 'x')}), 3,
         CTransactionRecord::LineTooLong},
        {"a last line of 2047 without LF", kShortHeader + "\n" + line.Short() + "," + std::string(2047 - line.Short().size() - 1, ' '),
         0, CTransactionRecord::NoReadError},
        {"an overlong last line without LF", kShortHeader + "\n" + std::string(2048, 'x'), 2,
         CTransactionRecord::LineTooLong},
    };
    for (const auto& c : cases) {
        const auto imported = Import(c.content);
        EXPECT_EQ(imported.outcome.stoppedAtLine, c.stoppedAtLine) << c.what;
        EXPECT_EQ(imported.outcome.stopReason, c.reason) << c.what;
    }
}

TEST(ImportStatementFile, AddsNothingFromWhatIsNoStatement) {
    const TempDir dir;
    RecordingCollection collection;
    const auto missing = ImportStatementFile(dir.File("missing.csv"), Account("", ""), collection);
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.isStatement);
    const auto twelve = ImportStatementFile(dir.Write("twelve.csv", Lines({HeaderOf(12), Line().Short()})),
                                            Account("123456", "12345678"), collection);
    EXPECT_TRUE(twelve.opened);
    EXPECT_EQ(twelve.headerFieldCount, 12);
    EXPECT_FALSE(twelve.isStatement);
    EXPECT_TRUE(collection.transactions.empty());
}

TEST(ImportStatementFile, AnEmptyAccountMatchesRecordsWithoutSortCodeAndAccount) {
    Line blank, full;
    blank.sortCode = "", blank.account = "", blank.credit = "2.00";
    full.credit = "1.00";
    const auto imported = Import(Lines({kShortHeader, full.Short(), blank.Short()}), Account("", ""));
    const std::vector<std::string> expected = {"3:1 5:40242 11:1 37:2 31:[N1] 7:[DD]"};
    EXPECT_EQ(imported.transactions, expected);
}

}  // namespace
