// varrow calendar, next-date and status-text as processes, natively and under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/process.h"

namespace {

using Args = std::vector<std::string>;

struct DayCase {
    const char* date;
    const char* line;
};

TEST(CalendarCommand, JudgesEachDateGiven) {
    const DayCase cases[] = {
        {"29/03/2024", "29/03/2024 holiday 4\n"},  // Good Friday
        {"30/03/2024", "30/03/2024 weekend 2\n"},  // Easter Saturday: a plain weekend day
        {"31/03/2024", "31/03/2024 weekend 1\n"},
        {"2024-04-01", "01/04/2024 holiday 1\n"},  // Easter Monday
        {"02/04/2024", "02/04/2024 banking 0\n"},
        {"01/01/2022", "01/01/2022 holiday 3\n"},  // a Saturday, still a holiday
        {"25/12/2022", "25/12/2022 weekend 3\n"},  // Christmas on a Sunday
        {"27/05/2024", "27/05/2024 holiday 1\n"},  // the last Monday of May
        {"13/05/2024", "13/05/2024 banking 0\n"},
        {"26/08/2024", "26/08/2024 holiday 1\n"},
        {"28/12/2022", "28/12/2022 banking 0\n"},  // a Wednesday
    };
    Args args = {"calendar"};
    std::string expected;
    for (const auto& c : cases) {
        args.push_back(c.date);
        expected += c.line;
    }
    const ProcessResult run = RunVarrow(args);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(CalendarCommand, ReadsStandardInputWhenNoDateIsGiven) {
    const ProcessResult run = RunVarrow({"calendar"}, "29/03/2024\r\n\n  2024-04-02 \n30/03/2024");
    EXPECT_EQ(run.out, "29/03/2024 holiday 4\n02/04/2024 banking 0\n30/03/2024 weekend 2\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(CalendarCommand, ABadArgumentStopsTheCommandBeforeAnythingIsPrinted) {
    const ProcessResult run = RunVarrow({"calendar", "29/03/2024", "30/02/2024"});
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "varrow calendar: '30/02/2024' is not an existing date written DD/MM/YYYY or YYYY-MM-DD; "
              "see 'varrow calendar --help'\n");
}

TEST(CalendarCommand, ABadLineStopsTheCommandWhereItStands) {
    const ProcessResult run = RunVarrow({"calendar"}, "29/03/2024\nEaster\n02/04/2024\n");
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_EQ(run.out, "29/03/2024 holiday 4\n");
    EXPECT_EQ(run.err,
              "varrow calendar: line 2: 'Easter' is not an existing date written DD/MM/YYYY or YYYY-MM-DD; "
              "see 'varrow calendar --help'\n");
}

TEST(NextDateCommand, GivesTheDefaultProcessingDateOfEachDay) {
    const ProcessResult run = RunVarrow({"next-date", "20/05/2024", "24/05/2024", "27/03/2024", "2021-12-23", "31/12/2021"});
    EXPECT_EQ(run.out,
              "20/05/2024 22/05/2024\n"
              "24/05/2024 29/05/2024\n"
              "27/03/2024 02/04/2024\n"
              "23/12/2021 29/12/2021\n"
              "31/12/2021 07/01/2022\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(NextDateCommand, ReadsStandardInputAndRefusesWhatIsNoDate) {
    EXPECT_EQ(RunVarrow({"next-date"}, "20/05/2024\n").out, "20/05/2024 22/05/2024\n");
    const ProcessResult run = RunVarrow({"next-date", "20/5/2024"});
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_NE(run.err.find("'20/5/2024'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("see 'varrow next-date --help'"), std::string::npos) << run.err;
}

TEST(StatusTextCommand, PrintsTheTextOrAnEmptyLine) {
    const ProcessResult run = RunVarrow({"status-text", "0", "20", "30", "35", "36", "40", "-1", "1", "+21"});
    EXPECT_EQ(run.out,
              "Payment processed successfully.\n"
              "This payment is valid but the payment batch has been rejected because of errors elsewhere.\n"
              "Invalid or missing Payee bank account name.\n"
              "An error occurred with the status field.\n"
              "Payee sort code and account number fail the bank's account number check: please check the payee's "
              "bank details.\n"
              "\n\n\n"
              "Invalid Amount specified for payment: negative payments not supported.\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(StatusTextCommand, RefusesWhatIsNoCode) {
    for (const Args& args : {Args{"status-text"}, Args{"status-text", "0", "x"}, Args{"status-text", "1.5"},
                             Args{"status-text", "4294967296"}, Args{"status-text", ""}}) {
        const ProcessResult run = RunVarrow(args);
        EXPECT_EQ(run.exitCode, 64) << args.back();
        EXPECT_EQ(run.out, "") << args.back();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(Help, ExplainsEveryCommand) {
    const ProcessResult run = RunVarrow({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* topic : {"varrow export", "varrow calendar [--holidays FILE] [DATE...]", "varrow next-date [--holidays FILE] [DATE...]",
                              "varrow status-text CODE...", "DD/MM/YYYY", "64"}) {
        EXPECT_NE(run.out.find(topic), std::string::npos) << topic;
    }
    for (const char* command : {"calendar", "next-date", "status-text"}) {
        const ProcessResult help = RunVarrow({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_EQ(help.out.rfind(std::string("usage: varrow ") + command, 0), 0u) << help.out;
    }
}

}  // namespace
