// varrow statement and varrow recognise, run as processes on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kShortHeader =
    "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
    "Date,Narrative #1,Type,Debit,Credit\n";
const std::string kLongHeader =
    "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
    "Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit\n";
const std::string kCsvHeader = "number,sort_code,account,date,direction,amount,type,narrative\n";

// A long-layout line of `sortCode`/`account`: the columns from the Date on as given.
std::string LongLine(const std::string& sortCode, const std::string& account, const std::string& rest) {
    return sortCode + "," + account + ",Household,J SMITH,GBP,Current,VARRGB22,Varrow Bank,Quidlane," + rest + "\n";
}

// Two accounts, a cheque, quoted narratives with commas and quotes, a missing date, every direction.
const std::string kStatement =
    kLongHeader +
    LongLine("123456", "12345678", "05/03/2010,TESCO STORES,,,,,DD,12.50,") +
    LongLine("123456", "87654321", "06/03/2010,OTHER ACCOUNT,,,,,DD,1.00,") +
    LongLine("123456", "12345678", "2010-03-07,\"Smith, J & Co\",INV 42,,,,BGC,,\"1,234.56\"") +
    LongLine("123456", "12345678", "08/03/2010,000123,PAYEE,,,,CHQ,-25.00,") +
    LongLine("123456", "12345678", "31/02/2010,\"He said \"\"hi\"\"\",,,,,BGC,,") +
    LongLine("654321", "12345678", "09/03/2010,OTHER SORT CODE,,,,,DD,2.00,");

// What standard error says of kStatement's record without a date, at `path`.
std::string UndatedWarning(const std::string& path) {
    return "varrow statement: " + path +
           ": line 6: the Date column holds '31/02/2010', which gives no date; the transaction is printed without one\n";
}

struct Files {
    TempDir dir;
    std::string Write(const std::string& content, const char* name = "statement.csv") const {
        return dir.Write(name, content);
    }
};

TEST(VarrowStatement, PrintsEveryReadableRecordWithoutAnAccount) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const auto result = RunVarrow({"statement", path});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, UndatedWarning(path));
    EXPECT_EQ(result.out, kCsvHeader +
                              "1,123456,12345678,2010-03-05,debit,12.5,DD,TESCO STORES\n"
                              "2,123456,87654321,2010-03-06,debit,1,DD,OTHER ACCOUNT\n"
                              "3,123456,12345678,2010-03-07,credit,1234.56,BGC,\"Smith, J & Co INV 42\"\n"
                              "4,123456,12345678,2010-03-08,debit,25,000123,CHQ 000123 PAYEE\n"
                              "5,123456,12345678,,credit,0,BGC,\"He said \"\"\"\"hi\"\"\"\"\"\n"
                              "6,654321,12345678,2010-03-09,debit,2,DD,OTHER SORT CODE\n");
}

TEST(VarrowStatement, PrintsWhatTheImportAddsForOneAccount) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const std::string expected = kCsvHeader +
                                 "1,123456,12345678,2010-03-05,debit,12.5,DD,TESCO STORES\n"
                                 "2,123456,12345678,2010-03-07,credit,1234.56,BGC,\"Smith, J & Co INV 42\"\n"
                                 "3,123456,12345678,2010-03-08,debit,25,000123,CHQ 000123 PAYEE\n"
                                 "4,123456,12345678,,credit,0,BGC,\"He said \"\"\"\"hi\"\"\"\"\"\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"statement", "--sort-code", "12-34-56", "--account", "12345678", path},
          std::vector<std::string>{"statement", path, "--account=12345678", "--sort-code=123456"}}) {
        const auto result = RunVarrow(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, expected);
    }
}

TEST(VarrowStatement, AnAccountWithoutRecordsPrintsTheHeaderOnly) {
    const Files files;
    const auto result = RunVarrow({"statement", "--sort-code", "999999", "--account", "1", files.Write(kStatement)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kCsvHeader);
    const auto json = RunVarrow({"statement", "--json", "--sort-code", "999999", "--account", "1", files.Write(kStatement)});
    EXPECT_EQ(json.out, "[]\n");
}

TEST(VarrowStatement, JsonHasTheSameKeysAndNumbersAsNumbers) {
    const Files files;
    const std::string path = files.Write(kShortHeader + "123456,12345678,A,B,GBP,C,D,E,F,05/03/2010,\"Caf\xe9, \"\"X\"\"\",DD,,7.10\n"
                                         "123456,12345678,A,B,GBP,C,D,E,F,,N,CHQ,0.10,\n");
    const auto result = RunVarrow({"statement", "--json", path});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "[\n"
              "{\"number\":1,\"sort_code\":\"123456\",\"account\":\"12345678\",\"date\":\"2010-03-05\","
              "\"direction\":\"credit\",\"amount\":7.1,\"type\":\"DD\",\"narrative\":\"Caf\xc3\xa9, \\\"\\\"X\\\"\\\"\"},\n"
              "{\"number\":2,\"sort_code\":\"123456\",\"account\":\"12345678\",\"date\":null,"
              "\"direction\":\"debit\",\"amount\":0.1,\"type\":\"N\",\"narrative\":\"CHQ N\"}\n"
              "]\n");
}

TEST(VarrowStatement, CrLfAndLfFilesPrintTheSame) {
    const Files files;
    std::string crlf;
    for (const char c : kStatement) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const auto lf = RunVarrow({"statement", files.Write(kStatement, "lf.csv")});
    const auto withCr = RunVarrow({"statement", files.Write(crlf, "crlf.csv")});
    EXPECT_EQ(withCr.exitCode, 0);
    EXPECT_EQ(withCr.out, lf.out);
}

TEST(VarrowStatement, AnUnreadableLineKeepsTheRowsBeforeItAndIsNamed) {
    const Files files;
    const std::string path = files.Write(kLongHeader + LongLine("123456", "12345678", "05/03/2010,A,,,,,DD,1.00,") + "\n" +
                                         LongLine("123456", "12345678", "05/03/2010,B,,,,,DD,2.00,"));
    const auto result = RunVarrow({"statement", path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kCsvHeader + "1,123456,12345678,2010-03-05,debit,1,DD,A\n");
    EXPECT_EQ(result.err, "varrow statement: " + path + ": line 3 cannot be read (it has fewer than 14 fields); reading stopped there\n");
}

TEST(VarrowStatement, NamesWhyALineCannotBeRead) {
    const Files files;
    const std::string good = LongLine("123456", "12345678", "05/03/2010,A,,,,,DD,1.00,");
    const struct {
        const char* what;
        std::string content;
        std::string reason;
    } cases[] = {
        {"long under short", kShortHeader + good, "line 2 cannot be read (it has 18 fields under a header of 14)"},
        {"overlong line", kLongHeader + good + std::string(2100, 'x') + "\n", "line 3 cannot be read (it holds more than 2047 characters)"},
        {"overlong column", kLongHeader + LongLine("1", "2", "05/03/2010," + std::string(600, 'n') + ",,,,,DD,1.00,"),
         "line 2 cannot be read (a column holds more than 511 characters)"},
        {"NUL byte", kLongHeader + good + std::string("1,2\0,3\n", 7), "line 3 cannot be read (it holds a NUL byte)"},
        {"huge amount", kLongHeader + LongLine("1", "2", "05/03/2010,A,,,,,DD,1e999,"), "line 2 cannot be read (an amount is too large)"},
        {"comma in a short line's narrative", kShortHeader + "1,2,A,B,GBP,C,D,E,F,05/03/2010,SMITH, J,BAC,1250.00,\n",
         "line 2 cannot be read (the Debit column holds 'BAC', not an amount)"},
        {"comma in a long line's narrative", kLongHeader + good + LongLine("1", "2", "05/03/2010,SMITH, J,,,,,BAC,1250.00,"),
         "line 3 cannot be read (it has 19 fields under a header of 18)"},
    };
    for (const auto& c : cases) {
        const std::string path = files.Write(c.content);
        const auto result = RunVarrow({"statement", path});
        EXPECT_EQ(result.exitCode, 0) << c.what;
        EXPECT_EQ(result.err, "varrow statement: " + path + ": " + c.reason + "; reading stopped there\n") << c.what;
    }
}

TEST(VarrowStatement, TrailingBlankLinesAndAMissingFinalLfAreNoFault) {
    const Files files;
    for (const std::string& content : {kStatement + "\n\n", kStatement + "\r\n", kStatement.substr(0, kStatement.size() - 1)}) {
        const std::string path = files.Write(content);
        const auto result = RunVarrow({"statement", path});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, UndatedWarning(path));
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 7);
    }
}

TEST(VarrowStatement, RefusesWhatIsNoStatement) {
    const Files files;
    const std::string twelve = files.Write("a,b,c,d,e,f,g,h,i,j,k,l\n", "twelve.csv");
    const std::string empty = files.Write("", "empty.csv");
    const std::string missing = files.dir.File("missing.csv");
    const std::string overlong = files.dir.File(std::string(260, 'x').substr(0, 260 - files.dir.File("").size()) + "x");
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {twelve, twelve + " is not a statement: its header has 12 fields, not 14 or 18"},
        {empty, empty + " is not a statement: its header has 1 field, not 14 or 18"},
        {missing, "cannot open " + missing},
        {overlong, "cannot open " + overlong + ": the path is longer than 259 characters"},
    };
    for (const auto& c : cases) {
        const auto result = RunVarrow({"statement", c.path});
        EXPECT_EQ(result.exitCode, 1) << c.path;
        EXPECT_EQ(result.out, "") << c.path;
        EXPECT_EQ(result.err, "varrow statement: " + c.message + "\n");
    }
}

TEST(VarrowStatement, AnAccountThatMatchedNothingHearsWhichAccountsTheFileHolds) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const auto result = RunVarrow({"statement", "--sort-code", "99-99-99", "--account", "1", path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kCsvHeader);
    EXPECT_EQ(result.err, "varrow statement: " + path +
                              ": no record is of sort code '999999' and account '1'; the file holds records of "
                              "'123456' '12345678', '123456' '87654321', '654321' '12345678'\n");
}

TEST(VarrowStatement, Utf16AndCrOnlyFilesAreNamedWithWhatToDo) {
    const Files files;
    std::string utf16 = "\xFF\xFE";
    for (const char c : kStatement) utf16 += std::string(1, c) + '\0';
    std::string crOnly = kStatement;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    const struct {
        std::string path;
        const char* says;
    } cases[] = {
        {files.Write(utf16, "utf16.csv"), " is not a statement: it is UTF-16 text, which the reader cannot read: "
                                          "save it as CSV with ANSI or UTF-8 text\n"},
        {files.Write(crOnly, "cr.csv"), " is not a statement: it has CR-only line ends, so the reader sees one long "
                                        "line: save it as CSV with ANSI or UTF-8 text (CRLF or LF line ends)\n"},
    };
    for (const auto& c : cases) {
        const auto result = RunVarrow({"statement", c.path});
        EXPECT_EQ(result.exitCode, 1) << c.path;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "varrow statement: " + c.path + c.says);
    }
}

TEST(VarrowStatement, UsageErrorsExit64) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const std::vector<std::vector<std::string>> cases = {
        {"statement"},
        {"statement", path, path},
        {"statement", "--sort-code", "123456", path},
        {"statement", "--account", "12345678", path},
        {"statement", path, "--sort-code"},
        {"statement", "--frobnicate", path},
        {"recognise"},
        {"recognise", "--json", path},
    };
    for (const auto& args : cases) {
        const auto result = RunVarrow(args);
        EXPECT_EQ(result.exitCode, 64) << args.size() << " arguments, last " << args.back();
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("usage: varrow "), std::string::npos) << result.err;
    }
}

TEST(VarrowStatement, HelpExplainsTheCommands) {
    for (const char* command : {"statement", "recognise"}) {
        const auto result = RunVarrow({command, "--help"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out.rfind(std::string("usage: varrow ") + command, 0), 0u) << result.out;
    }
}

TEST(VarrowStatement, DebugShowsTheReadersMessages) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const auto quiet = RunVarrow({"statement", path});
    const auto debug = RunVarrow({"statement", "--debug", path});
    EXPECT_EQ(quiet.err, UndatedWarning(path));
    // The read that meets the end of the file.
    EXPECT_EQ(debug.err, "Failed to read the Balance record\n" + UndatedWarning(path));
    EXPECT_EQ(debug.out, quiet.out);
}

TEST(VarrowStatement, AFileNamedLikeAnOptionFollowsDoubleDash) {
    const Files files;
    const std::string path = files.Write(kStatement, "-odd.csv");
    const auto result = RunVarrow({"statement", "--", path});
    EXPECT_EQ(result.exitCode, 0) << result.err;
}

#ifndef _WIN32
TEST(VarrowStatement, AnOutputThatCannotBeWrittenIsAFailure) {
    const Files files;
    const auto result = RunProcess("/bin/sh", {"-c", "exec \"$0\" statement \"$1\" >/dev/full", VarrowPath(),
                                               files.Write(kStatement)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "varrow statement: cannot write the output\n");
}
#endif

TEST(VarrowStatement, WritesOfxToTheFileNamedAndLeavesOutWhatHasNoDate) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const std::string out = files.dir.File("march.ofx");
    const auto result = RunVarrow({"statement", "--to", "ofx", "-o", out, path});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "varrow statement: " + path +
                              ": line 6: the Date column holds '31/02/2010', which gives no date; OFX needs one, so the "
                              "transaction is left out\n");
    const std::string ofx = files.dir.Read("march.ofx");
    EXPECT_EQ(ofx.rfind("OFXHEADER:100\r\n", 0), 0u) << ofx.substr(0, 40);
    std::size_t transactions = 0;
    for (auto at = ofx.find("<STMTTRN>"); at != std::string::npos; at = ofx.find("<STMTTRN>", at + 1)) ++transactions;
    EXPECT_EQ(transactions, 5u);
}

TEST(VarrowStatement, AQifOfSeveralAccountsIsAUsageErrorThatNamesThem) {
    const Files files;
    const std::string path = files.Write(kStatement);
    const std::string out = files.dir.File("march.qif");
    const auto result = RunVarrow({"statement", "--to", "qif", "-o", out, path});
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_EQ(result.err.rfind("varrow statement: a QIF file holds one account, and " + path +
                                   " holds 3: '123456' '12345678', '123456' '87654321', '654321' '12345678'; choose "
                                   "one with --sort-code and --account\nusage: varrow statement",
                               0),
              0u)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    const auto one = RunVarrow({"statement", "--to", "qif", "--sort-code", "123456", "--account", "87654321", path});
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, "!Type:Bank\r\nD06/03/2010\r\nT-1.00\r\nPOTHER ACCOUNT\r\nMOTHER ACCOUNT\r\n^\r\n");
}

TEST(VarrowStatement, AnOutputFileIsWrittenOnlyForAStatement) {
    const Files files;
    const std::string statement = files.Write(kStatement);
    const std::string notOne = files.Write("a,b,c\n", "other.csv");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"statement", "-o", files.dir.File("none.csv"), notOne}, 1,
         "varrow statement: " + notOne + " is not a statement: its header has 3 fields, not 14 or 18\n"},
        {{"statement", "-o", files.dir.File("missing/out.csv"), statement}, 1,
         "varrow statement: cannot write " + files.dir.File("missing/out.csv") + "\n"},
    };
    for (const auto& c : cases) {
        const auto result = RunVarrow(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[2];
        EXPECT_EQ(result.err.substr(0, c.err.size()), c.err);
        EXPECT_FALSE(std::filesystem::exists(c.args[2])) << c.args[2];
    }
    const auto itself = RunVarrow({"statement", "-o", statement, statement});
    EXPECT_EQ(itself.exitCode, 64);
    EXPECT_EQ(files.dir.Read("statement.csv"), kStatement);
}

TEST(VarrowRecognise, NamesEveryStatementAndFailsWhenOneIsNot) {
    const Files files;
    const std::string longLayout = files.Write(kLongHeader, "long.csv");
    const std::string shortLayout = files.Write(kShortHeader + "garbage\n", "short.csv");
    const std::string other = files.Write("a,b,c\n", "other.csv");
    const auto both = RunVarrow({"recognise", longLayout, shortLayout});
    EXPECT_EQ(both.exitCode, 0);
    EXPECT_EQ(both.out, longLayout + "\tVarrow Quidlane Statement\n" + shortLayout + "\tVarrow Quidlane Statement\n");
    const auto mixed = RunVarrow({"recognise", other, longLayout, files.dir.File("missing.csv")});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_EQ(mixed.out, longLayout + "\tVarrow Quidlane Statement\n");
}

}  // namespace
