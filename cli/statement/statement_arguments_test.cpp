#include "cli/statement/statement_arguments.h"

#include <gtest/gtest.h>

#include "cli/shared/usage_error.h"

namespace cli {

namespace {

using Args = std::vector<std::string>;

TEST(ParseStatementArguments, TheLeastIsAFileWrittenAsCsv) {
    const auto parsed = ParseStatementArguments({"march.csv"});
    EXPECT_EQ(parsed.format, StatementFormat::Csv);
    EXPECT_FALSE(parsed.sortCode || parsed.account || parsed.output || parsed.closingBalance || parsed.balanceDate);
    EXPECT_EQ(parsed.qifDates, QifDateOrder::DayMonthYear);
    EXPECT_EQ(parsed.file, "march.csv");
}

TEST(ParseStatementArguments, NamesEachFormatAndJsonStaysASynonym) {
    const std::pair<Args, StatementFormat> cases[] = {
        {{"--to", "csv", "f"}, StatementFormat::Csv},   {{"--to=json", "f"}, StatementFormat::Json},
        {{"--json", "f"}, StatementFormat::Json},       {{"--json", "--to", "json", "f"}, StatementFormat::Json},
        {{"--to", "ofx", "f"}, StatementFormat::Ofx},   {{"--to", "ofx2", "f"}, StatementFormat::Ofx2},
        {{"--to", "qif", "f"}, StatementFormat::Qif},
    };
    for (const auto& [args, format] : cases) EXPECT_EQ(ParseStatementArguments(args).format, format) << ::testing::PrintToString(args);
}

TEST(ParseStatementArguments, ReadsTheBalanceTheOutputAndTheQifDates) {
    const auto ofx = ParseStatementArguments(
        {"--to", "ofx2", "--closing-balance", "+1234.50", "--balance-date", "31/12/2026", "-o", "out.ofx", "f"});
    EXPECT_EQ(ofx.closingBalance, std::optional<std::string>("1234.50"));
    EXPECT_EQ(ofx.balanceDate, std::optional<double>(46387));
    EXPECT_EQ(ofx.output, std::optional<std::string>("out.ofx"));
    EXPECT_EQ(ParseStatementArguments({"--to", "ofx", "--closing-balance=-7", "f"}).closingBalance,
              std::optional<std::string>("-7"));
    EXPECT_EQ(ParseStatementArguments({"--to", "qif", "--qif-dates", "mdy", "f"}).qifDates, QifDateOrder::MonthDayYear);
    EXPECT_EQ(ParseStatementArguments({"--to", "qif", "--qif-dates", "dmy", "f"}).qifDates, QifDateOrder::DayMonthYear);
}

TEST(ParseStatementArguments, RefusesWhatItCannotUse) {
    const std::pair<Args, const char*> cases[] = {
        {{}, "name exactly one FILE"},
        {{"f", "g"}, "name exactly one FILE"},
        {{"--to", "pdf", "f"}, "unknown format 'pdf' for --to (csv, json, ofx, ofx2 or qif)"},
        {{"--to", "OFX", "f"}, "unknown format 'OFX'"},
        {{"--json", "--to", "csv", "f"}, "--json is --to json, and --to says csv"},
        {{"--sort-code", "1", "f"}, "--sort-code and --account go together"},
        {{"-o", "", "f"}, "-o needs a file name"},
        {{"--closing-balance", "1", "f"}, "--closing-balance is for --to ofx and --to ofx2"},
        {{"--to", "qif", "--closing-balance", "1", "f"}, "--closing-balance is for --to ofx"},
        {{"--to", "ofx", "--balance-date", "31/12/2026", "f"}, "--balance-date is the date of --closing-balance"},
        {{"--to", "ofx", "--closing-balance", "1", "--balance-date", "31/02/2026", "f"}, "--balance-date '31/02/2026'"},
        {{"--qif-dates", "mdy", "f"}, "--qif-dates is for --to qif"},
        {{"--to", "qif", "--qif-dates", "ymd", "f"}, "--qif-dates 'ymd' is neither dmy nor mdy"},
        {{"--frobnicate", "f"}, "unknown option '--frobnicate'"},
    };
    for (const auto& [args, message] : cases) {
        try {
            ParseStatementArguments(args);
            ADD_FAILURE() << "no usage error for " << ::testing::PrintToString(args);
        } catch (const UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << ::testing::PrintToString(args) << ": " << e.what();
        }
    }
}

TEST(ParseStatementArguments, TakesOnlyPlainAmountsAsTheClosingBalance) {
    const std::pair<const char*, bool> cases[] = {
        {"1234.56", true}, {"-0.5", true},  {"7", true},       {"1,234.56", false}, {"1234.", false},
        {".5", false},     {"", false},     {"-", false},      {"1e3", false},      {"\xa3" "5", false},
        {"12.5.0", false}, {"+-1", false},  {" 1", false},
    };
    for (const auto& [text, accepted] : cases) {
        const Args args = {"--to", "ofx", "--closing-balance", text, "f"};
        bool taken = true;
        try {
            ParseStatementArguments(args);
        } catch (const UsageError&) {
            taken = false;
        }
        EXPECT_EQ(taken, accepted) << "[" << text << "]";
    }
}

TEST(ParseRecogniseArguments, TakesFilesAndDebugOnly) {
    const auto parsed = ParseRecogniseArguments({"--debug", "a.csv", "--", "-b.csv"});
    EXPECT_TRUE(parsed.debug);
    EXPECT_EQ(parsed.files, (Args{"a.csv", "-b.csv"}));
    EXPECT_THROW(ParseRecogniseArguments({"--json", "a.csv"}), UsageError);
    EXPECT_THROW(ParseRecogniseArguments({}), UsageError);
}

}  // namespace

}  // namespace cli
