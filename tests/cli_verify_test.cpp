// varrow verify as a user runs it: a process on upload files that varrow export has just written,
// natively and as varrow.exe under Wine. What each damage gives is the verifier's own tests' matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

const std::string kPayments =
    "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName,"
    "PayeeBankBACSReference\r\n"
    "01-34-56,01345678,100.5,01-00-00,07654321,J. Smith & Co,inv 41\r\n"
    "01-34-56,01345678,1250,02-00-00,08765432,Acme Supplies,inv 42\r\n"
    "01-34-56,01345678,7.25,08-99-99,66347958,Kestrel Fixings,inv 43\r\n";

class VerifyTest : public ::testing::Test {
protected:
    // The upload file that export writes for kPayments on Monday 7 December 2026.
    std::string Exported(const std::string& format) {
        const std::string out = dir_.File(format + ".txt");
        const ProcessResult run = RunVarrow({"export", "--format", format, "--today", "01/12/2026", "--date",
                                             "07/12/2026", "--benref", "Dec", "-o", out, dir_.Write("p.csv", kPayments)});
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        return ReadFileBytes(out);
    }

    ProcessResult Verify(Args args, const std::string& bytes) {
        args.insert(args.begin(), "verify");
        args.push_back(dir_.Write("upload.txt", bytes));
        return RunVarrow(args);
    }

    TempDir dir_;
};

TEST_F(VerifyTest, WhatExportWritesVerifiesClean) {
    Args args = {"verify", "--today", "01/12/2026"};
    for (const char* format : {"standard-domestic", "domestic-template", "bulk-list", "ad-hoc-bulk"}) {
        dir_.Write(std::string(format) + ".copy", Exported(format));
        args.push_back(dir_.File(std::string(format) + ".copy"));
    }
    const ProcessResult run = RunVarrow(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, args[3] + ": standard-domestic, 3 lines, 3 payments, total 1357.75: 0 errors, 0 warnings\n" +
                           args[4] + ": domestic-template, 3 lines, 3 payments, total 1357.75: 0 errors, 0 warnings\n" +
                           args[5] + ": bulk-list, 4 lines, 3 payments, total 1357.75: 0 errors, 0 warnings\n" +
                           args[6] + ": ad-hoc-bulk, 4 lines, 3 payments, total 1357.75: 0 errors, 0 warnings\n");
}

TEST_F(VerifyTest, TheOptionsOfExportJudgeTheDateAndThePayees) {
    const std::string file = Exported("bulk-list");
    const std::string holidays = dir_.Write("holidays.txt", "2026-12-07 closed\n");
    const struct {
        Args args;
        std::string finding;  // after FILE:
    } cases[] = {
        {{"--today", "08/12/2026"}, "1:19: error: the processing date 07/12/2026 is before today, 08/12/2026\n"},
        {{"--today", "01/12/2026", "--holidays", holidays},
         "1:19: error: the processing date 07/12/2026 falls on a bank holiday: the next likely banking day is 1 day later\n"},
        {{"--today", "01/12/2026", "--check-accounts"},
         "4:31: error: the payee account number 66347958 fails the bank's account number check for sort code 089999\n"},
        {{"--today", "01/12/2026", "--format", "ad-hoc-bulk"}, "1: error: the file does not begin with its 08 header"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = Verify(c.args, file);
        EXPECT_EQ(run.exitCode, 1) << c.args[0];
        EXPECT_EQ(run.out.find(dir_.File("upload.txt") + ":" + c.finding), 0u) << c.args.back() << ":\n" << run.out;
    }
}

TEST_F(VerifyTest, WarningsAloneExitZeroAndTheSummaryCountsThem) {
    std::string file = Exported("standard-domestic");
    file += file.substr(0, file.find("\r\n") + 2);  // payment 0 twice
    const ProcessResult run = Verify({"--today", "01/12/2026"}, file);
    const std::string path = dir_.File("upload.txt");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, path + ":1: warning: the same payment as line 4: the same payee, amount and reference\n" + path +
                           ":4: warning: the same payment as line 1: the same payee, amount and reference\n" + path +
                           ": standard-domestic, 4 lines, 4 payments, total 1458.25: 0 errors, 2 warnings\n");
}

TEST_F(VerifyTest, AFileThatCannotBeReadExits2AndTheOthersAreVerified) {
    const std::string missing = dir_.File("missing.txt");
    const std::string upload = dir_.Write("upload.txt", "\r\n");
    for (const bool json : {false, true}) {
        const ProcessResult run = RunVarrow(json ? Args{"verify", "--json", missing, upload} : Args{"verify", missing, upload});
        EXPECT_EQ(run.exitCode, 2) << json;
        EXPECT_EQ(run.err.rfind("varrow verify: cannot read '" + missing + "'", 0), 0u) << run.err;
        EXPECT_NE(run.out.find(json ? "\"errors\": 2, \"warnings\": 0}\n" : ": format unknown, 1 line, 0 payments"),
                  std::string::npos) << run.out;
    }
}

TEST(VerifyUsage, BadArgumentsExit64AndAnUnreadableListExits66) {
    const TempDir dir;
    const std::string file = dir.Write("upload.txt", "");
    const std::pair<Args, int> cases[] = {
        {{"verify"}, 64},
        {{"verify", "--format", "bacs", file}, 64},
        {{"verify", "--today", "31/02/2026", file}, 64},
        {{"verify", "--tables", dir.File(""), file}, 64},
        {{"verify", "--colour", file}, 64},
        {{"verify", "--holidays", dir.File("none.txt"), file}, 66},
    };
    for (const auto& [args, status] : cases) {
        const ProcessResult run = RunVarrow(args);
        EXPECT_EQ(run.exitCode, status) << args.back();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "") << args.back();
    }
    const ProcessResult help = RunVarrow({"verify", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* topic : {"usage: varrow verify", "FILE:LINE:FIELD: error: TEXT", "--check-accounts", "--json", "64 "})
        EXPECT_NE(help.out.find(topic), std::string::npos) << topic;
}

}  // namespace
