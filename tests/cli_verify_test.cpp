// varrow verify as a user runs it: a process on upload files that varrow export has just written,
// natively and as varrow.exe under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

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

const Args kToday = {"--today", "01/12/2026"};

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

    // The lines with an error, from FILE:LINE[:FIELD]: error: lines.
    std::multiset<int> ErrorLines(const ProcessResult& run) {
        std::multiset<int> lines;
        const std::string file = dir_.File("upload.txt") + ":";
        for (std::size_t at = 0; (at = run.out.find(file, at)) != std::string::npos; at += file.size()) {
            const std::size_t end = run.out.find('\n', at);
            if (run.out.substr(at, end - at).find(": error: ") != std::string::npos)
                lines.insert(std::stoi(run.out.substr(at + file.size())));
        }
        return lines;
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

std::string Replaced(std::string text, const std::string& from, const std::string& to, bool all = false) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
        if (!all) break;
    }
    return text;
}

// Each change as a spreadsheet or a hand makes it.
TEST_F(VerifyTest, EachDamageToALineIsAnErrorOnThatLine) {
    const std::string file = Exported("standard-domestic");
    // Line 2, payment 1, as export wrote it, its CR LF included.
    const std::size_t start = file.find("\r\n") + 2, end = file.find("\r\n", start) + 2;
    const std::string line = file.substr(start, end - start);
    const struct {
        const char* what;
        std::string from, to;
    } damages[] = {
        {"dropped zero of an account number", ",08765432,", ",8765432,"},
        {"dropped zero of a sort code", ",020000,", ",20000,"},
        {"dropped zero of the date", ",07122026,", ",7122026,"},
        {"dropped zero of the payer field", ",01345601345678,", ",1345601345678,"},
        {"scientific notation", ",01345601345678,", ",1.34560E+12,"},
        {"an amount as 1250", ",1250.00,", ",1250,"},
        {"an amount as 1250.5", ",1250.00,", ",1250.5,"},
        {"a short row", "INV 42" + std::string(43, ',') + "\r\n", "INV 42\r\n"},
        {"LF", "\r\n", "\n"},
        {"CR", "\r\n", "\r"},
        {"quotes", ",ACME SUPPLIES,", ",\"ACME SUPPLIES\","},
        {"lower case", ",ACME SUPPLIES,", ",Acme Supplies,"},
        {"a pound sign", ",1250.00,", ",\xC2\xA3" "1250.00,"},
        {"an apostrophe", ",ACME SUPPLIES,", ",ACME'S SUPPLIES,"},
    };
    for (const auto& damage : damages) {
        ASSERT_NE(line.find(damage.from), std::string::npos) << damage.what << " in " << line;
        const std::string damaged = Replaced(line, damage.from, damage.to);
        const ProcessResult run = Verify(kToday, file.substr(0, start) + damaged + file.substr(end));
        EXPECT_EQ(run.exitCode, 1) << damage.what;
        EXPECT_EQ(ErrorLines(run), std::multiset<int>{2}) << damage.what << ":\n" << run.out;
    }
}

TEST_F(VerifyTest, AWholeFileDamageIsOneError) {
    const std::pair<const char*, std::function<std::string(const std::string&)>> damages[] = {
        {"LF", [](const std::string& f) { return Replaced(f, "\r\n", "\n", true); }},
        {"CR", [](const std::string& f) { return Replaced(f, "\r\n", "\r", true); }},
        {"a byte order mark", [](const std::string& f) { return "\xEF\xBB\xBF" + f; }},
        {"semicolons", [](const std::string& f) { return Replaced(f, ",", ";", true); }},
    };
    for (const char* format : {"standard-domestic", "domestic-template", "bulk-list", "ad-hoc-bulk"}) {
        const std::string file = Exported(format);
        for (const auto& [what, make] : damages) {
            const ProcessResult run = Verify(kToday, make(file));
            EXPECT_EQ(run.exitCode, 1) << format << ", " << what;
            EXPECT_EQ(ErrorLines(run), std::multiset<int>{1}) << format << ", " << what << ":\n" << run.out;
        }
    }
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
    const ProcessResult run = Verify(kToday, file);
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

TEST_F(VerifyTest, JsonIsOneDocument) {
    const ProcessResult run = Verify({"--json", "--today", "01/12/2026"}, "\xEF\xBB\xBF");
    EXPECT_EQ(run.exitCode, 1);
    const std::string file = dir_.File("upload.txt");
    std::string escaped;
    for (const char c : file) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EQ(run.out, "{\"files\": [\n  {\"file\": \"" + escaped +
                           "\", \"format\": null, \"lines\": 0, \"payments\": 0, \"total\": \"0.00\", \"errors\": 2, "
                           "\"warnings\": 0, \"findings\": [\n"
                           "    {\"line\": 1, \"field\": null, \"severity\": \"error\", \"text\": \"the file begins with a "
                           "byte order mark, which the bank reads as part of the first field; write the file again from "
                           "the payment run rather than editing it\"},\n"
                           "    {\"line\": 1, \"field\": null, \"severity\": \"error\", \"text\": \"the file is empty: it "
                           "holds no payment\"}\n  ]}\n], \"errors\": 2, \"warnings\": 0}\n");
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
