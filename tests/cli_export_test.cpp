// varrow export as a user runs it: a process on real files, natively and as varrow.exe under Wine,
// where the same expected bytes prove that both builds write the same upload files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <iterator>
#include <optional>
#include <tuple>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::string_literals;
using Args = std::vector<std::string>;
using Fields = std::map<int, std::string>;

// An upload line of `count` fields, those named by number (from 1) filled in, ended by CR LF.
std::string Line(int count, const Fields& fields) {
    std::string line;
    for (int field = 1; field <= count; ++field) {
        if (field > 1) line += ',';
        const auto found = fields.find(field);
        if (found != fields.end()) line += found->second;
    }
    return line + "\r\n";
}

std::string Line80(const Fields& fields) { return Line(80, fields); }
std::string Line85(const Fields& fields) { return Line(85, fields); }

const std::string kHeader =
    "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,"
    "PayeeBankAccountName,PayeeBankBACSReference,PayeeBuildingSocietyRollNumber\r\n";

// Three payments of one payer: an ordinary one, one with a roll number, and one whose payee
// account number is a digit short.
const std::string kPayments = kHeader +
                              "12-34-56,12345678,100,20-00-00,87654321,J. Smith & Co,inv 42,\r\n"
                              "12-34-56,12345678,1234.5,40-11-22,11223344,\"O'Brien, Ltd\",R-7,AB/123\r\n"
                              "12-34-56,12345678,10,30-00-01,1234567,Acme Supplies,,\r\n";

const std::string kPayer = "12345612345678";
const std::string kDate = "07122026";
const std::string kPayeeAccountText =
    "Invalid Payee Bank Account Number: the account number must be 8 digits and a numeric value.";
const std::string kProcessed = "Payment processed successfully.";

// Monday 7 December 2026 as the processing date, chosen on Tuesday 1 December.
const Args kDates = {"--today", "01/12/2026", "--date", "07/12/2026"};

struct ExportRun {
    ProcessResult process;
    std::optional<std::string> file;  // the upload file, if one was written
};

class ExportTest : public ::testing::Test {
protected:
    ExportRun Export(const Args& args, const std::string& csv, const std::string& outName = "upload.csv") {
        const std::string in = dir_.Write("payments.csv", csv);
        const std::string out = dir_.File(outName);
        std::filesystem::remove(out);  // left by an earlier run of the same test
        Args all = {"export"};
        all.insert(all.end(), args.begin(), args.end());
        all.insert(all.end(), {"-o", out, in});
        ExportRun run{RunVarrow(all), std::nullopt};
        if (std::filesystem::exists(out)) run.file = ReadFileBytes(out);
        return run;
    }

    static Args With(Args args, const Args& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    TempDir dir_;
};

// ---- the four formats, byte for byte ----

TEST_F(ExportTest, StandardDomesticWritesRecords01And03) {
    const ExportRun run = Export(With(kDates, {"--iat", "1"}), kPayments);
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(*run.file,
              Line80({{4, "01"}, {13, kPayer}, {17, "100.00"}, {19, kDate}, {25, "200000"}, {31, "87654321"},
                      {33, "J. SMITH & CO"}, {37, "INV 42"}}) +
                  Line80({{4, "03"}, {13, kPayer}, {16, "GBP"}, {17, "1234.50"}, {19, kDate}, {25, "401122"},
                          {31, "11223344"}, {40, "AB/123"}}) +
                  Line80({{4, "01"}, {13, kPayer}, {17, "10.00"}, {19, kDate}, {25, "300001"}, {31, "01234567"},
                          {33, "ACME SUPPLIES"}}));
    EXPECT_EQ(run.process.out, "0\t0\t" + kProcessed + "\n1\t0\t" + kProcessed + "\n2\t29\t" + kPayeeAccountText +
                                   "\nresult\t1\n");
    EXPECT_EQ(run.process.err, "");
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST_F(ExportTest, DomesticTemplateNamesTheTemplate) {
    const ExportRun run = Export(With(kDates, {"--format", "domestic-template", "--template", "Rent-Q1"}), kPayments);
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(*run.file,
              Line80({{4, "01"}, {6, "RENT-Q1"}, {13, kPayer}, {16, "GBP"}, {17, "100.00"}, {19, kDate}, {37, "INV 42"}}) +
                  Line80({{4, "01"}, {6, "RENT-Q1"}, {13, kPayer}, {16, "GBP"}, {17, "1234.50"}, {19, kDate}, {37, "AB/123"}}) +
                  Line80({{4, "01"}, {6, "RENT-Q1"}, {13, kPayer}, {16, "GBP"}, {17, "10.00"}, {19, kDate}}));
    // The payee account is checked although the record does not carry it.
    EXPECT_EQ(run.process.out, "0\t0\t" + kProcessed + "\n1\t0\t" + kProcessed + "\n2\t29\t" + kPayeeAccountText +
                                   "\nresult\t1\n");
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST_F(ExportTest, BulkListWritesHeader06ThenRecords07) {
    const ExportRun run = Export(With(kDates, {"--format", "bulk-list", "--template", "Rent-Q1", "--benref", "Dec rent"}), kPayments);
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(*run.file,
              Line80({{4, "06"}, {6, "RENT-Q1"}, {13, kPayer}, {19, kDate}, {37, "DEC RENT"}, {74, "C"}}) +
                  Line80({{4, "07"}, {8, "INV 42"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"},
                          {33, "J. SMITH & CO"}}) +
                  Line80({{4, "07"}, {8, "R-7"}, {16, "GBP"}, {17, "1234.50"}, {25, "401122"}, {31, "11223344"},
                          {33, "OBRIEN LTD"}, {37, "AB/123"}}) +
                  Line80({{4, "07"}, {16, "GBP"}, {17, "10.00"}, {25, "300001"}, {31, "01234567"}, {33, "ACME SUPPLIES"}}));
    EXPECT_EQ(run.process.err, "");
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST_F(ExportTest, AdHocBulkWritesHeader08ThenRecords09) {
    const ExportRun run = Export(With(kDates, {"--format", "ad-hoc-bulk", "--benref", "Dec rent"}), kPayments, "run 7-12.csv");
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(*run.file,
              Line85({{4, "08"}, {9, "RUN 7-12.CSV"}, {13, kPayer}, {19, kDate}, {37, "DEC RENT"}}) +
                  Line85({{4, "09"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"},
                          {33, "J. SMITH & CO"}, {37, "INV 42"}}) +
                  Line85({{4, "09"}, {16, "GBP"}, {17, "1234.50"}, {25, "401122"}, {31, "11223344"},
                          {33, "OBRIEN LTD"}, {37, "AB/123"}}) +
                  Line85({{4, "09"}, {16, "GBP"}, {17, "10.00"}, {25, "300001"}, {31, "01234567"},
                          {33, "ACME SUPPLIES"}, {37, kPayer}}));
    EXPECT_EQ(run.process.out, "0\t0\t" + kProcessed + "\n1\t0\t" + kProcessed + "\n2\t29\t" + kPayeeAccountText +
                                   "\nresult\t1\n");
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST_F(ExportTest, AllPaymentsValidGiveResult0) {
    const std::string csv = kHeader + "12-34-56,12345678,100,20-00-00,87654321,J. Smith & Co,inv 42,\r\n";
    const ExportRun run = Export(kDates, csv);
    EXPECT_EQ(run.process.out, "0\t0\t" + kProcessed + "\nresult\t0\n");
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(run.file, std::optional<std::string>(Line80({{4, "01"}, {13, kPayer}, {17, "100.00"}, {19, kDate}, {25, "200000"},
                                                           {31, "87654321"}, {33, "J. SMITH & CO"}, {37, "INV 42"}})));
}

// ---- the options as the dialog would hand them back ----

TEST_F(ExportTest, TemplateAndBenrefAreCutToTheBoxLimits) {
    const ExportRun run = Export(With(kDates, {"--format", "bulk-list", "--template", "abcdefghijklmnopqrstuvwxyz",
                                         "--benref", "0123456789abcdefghij"}),
                           kHeader + "12-34-56,12345678,1,20-00-00,87654321,X,,\r\n");
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(run.file->substr(0, run.file->find("\r\n") + 2),
              Line80({{4, "06"}, {6, "ABCDEFGHIJKLMNOPQRST"}, {13, kPayer}, {19, kDate}, {37, "0123456789ABCDEFGH"}, {74, "C"}}));
    EXPECT_EQ(run.process.err,
              "varrow export: note: --template is cut to its first 20 characters\n"
              "varrow export: note: --benref is cut to its first 18 characters\n");
    EXPECT_EQ(run.process.exitCode, 0);
}

struct DisabledBoxCase {
    const char* format;
    Args options;
    std::string notes;
};

TEST_F(ExportTest, AFormatThatDisablesABoxLeavesItEmptyWithANote) {
    const std::string csv = kHeader + "12-34-56,12345678,1,20-00-00,87654321,X,ref,\r\n";
    const DisabledBoxCase cases[] = {
        {"standard-domestic", {"--template", "T1", "--benref", "B1"},
         "varrow export: note: standard-domestic does not use --template: it is left empty\n"
         "varrow export: note: standard-domestic does not use --benref: it is left empty\n"},
        {"domestic-template", {"--benref", "B1"}, "varrow export: note: domestic-template does not use --benref: it is left empty\n"},
        {"ad-hoc-bulk", {"--template", "T1"}, "varrow export: note: ad-hoc-bulk does not use --template: it is left empty\n"},
    };
    for (const auto& c : cases) {
        const ExportRun plain = Export(With(kDates, {"--format", c.format}), csv);
        const ExportRun given = Export(With(With(kDates, {"--format", c.format}), c.options), csv);
        EXPECT_EQ(given.process.err, c.notes) << c.format;
        ASSERT_TRUE(plain.file && given.file) << c.format;
        EXPECT_EQ(*given.file, *plain.file) << c.format;
        EXPECT_EQ(given.process.exitCode, 0) << c.format;
    }
}

TEST_F(ExportTest, ANonZeroStatusInTheFileIsTheIatMark) {
    const std::string csv = "Status,PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber\r\n"
                            "1,12-34-56,12345678,5,20-00-00,87654321\r\n"
                            "23,12-34-56,12345678,5,20-00-00,87654321\r\n"
                            "0,12-34-56,12345678,5,20-00-00,87654321\r\n";
    const ExportRun run = Export(kDates, csv);
    ASSERT_TRUE(run.file) << run.process.err;
    const Fields iat = {{4, "03"}, {13, kPayer}, {16, "GBP"}, {17, "5.00"}, {19, kDate}, {25, "200000"}, {31, "87654321"}};
    // Not an IAT, the third payment has no payee name and fails with 30.
    const Fields ordinary = {{4, "01"}, {13, kPayer}, {17, "5.00"}, {19, kDate}, {25, "200000"}, {31, "87654321"}};
    EXPECT_EQ(*run.file, Line80(iat) + Line80(iat) + Line80(ordinary));
    EXPECT_EQ(run.process.out, "0\t0\t" + kProcessed + "\n1\t0\t" + kProcessed +
                                   "\n2\t30\tInvalid or missing Payee bank account name.\nresult\t1\n");
}

TEST_F(ExportTest, TheBulkFormatsNeverReadTheMark) {
    const std::string csv = "Status,PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName\r\n"
                            "1,12-34-56,12345678,5,20-00-00,87654321,A\r\n";
    const ExportRun run = Export(With(kDates, {"--format", "bulk-list"}), csv);
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_NE(run.file->find("\r\n,,,07,"), std::string::npos) << *run.file;
    EXPECT_EQ(run.process.out, "0\t0\t" + kProcessed + "\nresult\t0\n");
}

TEST_F(ExportTest, TextReachesTheCoreAsUtf16) {
    // The single-byte conversion keeps "e" with diaeresis (U+00EB) for the cleaning rule to drop,
    // and stops at the first character above U+00FF: "Lukasz" with its stroke never arrives.
    const std::string csv = "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName\r\n"
                            "12-34-56,12345678,1,20-00-00,87654321,Zo\xC3\xAB & \xC5\x81ukasz\r\n";
    const ExportRun run = Export(kDates, csv);
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(*run.file, Line80({{4, "01"}, {13, kPayer}, {17, "1.00"}, {19, kDate}, {25, "200000"}, {31, "87654321"}, {33, "ZO & "}}));
    EXPECT_EQ(run.process.exitCode, 0);
}

#ifndef _WIN32
TEST_F(ExportTest, TypedTextIsUtf8Natively) {
    const std::string csv = kHeader + "12-34-56,12345678,1,20-00-00,87654321,X,,\r\n";
    const ExportRun typed = Export(With(kDates, {"--format", "bulk-list", "--template", "Caf\xC3\xA9 rent \xC5\x81"}), csv);
    ASSERT_TRUE(typed.file) << typed.process.err;
    EXPECT_EQ(typed.file->substr(0, typed.file->find("\r\n") + 2),
              Line80({{4, "06"}, {6, "CAF RENT "}, {13, kPayer}, {19, kDate}, {74, "C"}}));
    const ExportRun invalid = Export(With(kDates, {"--format", "bulk-list", "--template", "Caf\xE9"}), csv);
    EXPECT_EQ(invalid.process.exitCode, 64);
    EXPECT_EQ(invalid.process.err, "varrow export: --template is not valid UTF-8; see 'varrow export --help'\n");
    EXPECT_FALSE(invalid.file.has_value());
}
#endif

// ---- the run's order: the limit, the date checks, then the file ----

std::string ManyPayments(int count) {
    std::string csv = kHeader;
    for (int i = 0; i < count; ++i) csv += "12-34-56,12345678,1.5,20-00-00,87654321,Payee " + std::to_string(i) + ",,\r\n";
    return csv;
}

TEST_F(ExportTest, FourThousandPaymentsAreAccepted) {
    const ExportRun run = Export(kDates, ManyPayments(4000));
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(run.process.exitCode, 0);
    std::size_t lines = 0;
    for (std::size_t at = run.file->find("\r\n"); at != std::string::npos; at = run.file->find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 4000u);
    EXPECT_NE(run.process.out.find("3999\t0\t" + kProcessed + "\nresult\t0\n"), std::string::npos);
}

TEST_F(ExportTest, MoreThan4000PaymentsAreRefusedWithString340AndNoFile) {
    const ExportRun run = Export(kDates, ManyPayments(4001));
    EXPECT_EQ(run.process.exitCode, 40);
    EXPECT_EQ(run.process.err,
              "Too many payment instructions have been submitted. Varrow Online supports a maximum of 4000 payments "
              "in a single file.\n");
    EXPECT_EQ(run.process.out, "");
    EXPECT_FALSE(run.file.has_value());
}

TEST_F(ExportTest, TheLimitComesBeforeTheDateChecks) {
    const ExportRun run = Export({"--today", "01/12/2026", "--date", "30/11/2026"}, ManyPayments(4001));
    EXPECT_EQ(run.process.exitCode, 40);
    EXPECT_EQ(run.process.err.find("MUST"), std::string::npos) << run.process.err;
}

struct RefusedDateCase {
    const char* today;
    const char* date;
    std::string message;
};

TEST_F(ExportTest, ARefusedDatePrintsTheDialogsMessageAndWritesNoFile) {
    const RefusedDateCase cases[] = {
        {"01/12/2026", "30/11/2026",
         "The processing date you specify for payments MUST be on or after the current system date.\n"},
        {"01/12/2026", "05/12/2026",
         "The date you specified falls on a weekend. Try advancing the date \n2 days to the next likely Banking Day.\n"},
        {"01/12/2026", "06/12/2026",
         "The date you specified falls on a weekend. Try advancing the date \n1 day to the next likely Banking Day.\n"},
        {"01/12/2026", "25/12/2026",
         "The date you specified falls on a Bank holiday. Try advancing the date \n4 days to the next likely Banking Day.\n"},
        {"07/12/2026", "2027-01-22",
         "The processing date specified is too far in the future.\nProcessing dates can be at most 45 days after "
         "today's date.\n"},
    };
    for (const auto& c : cases) {
        const ExportRun run = Export({"--today", c.today, "--date", c.date}, kPayments);
        EXPECT_EQ(run.process.exitCode, 3) << c.date;
        EXPECT_EQ(run.process.err, c.message) << c.date;
        EXPECT_EQ(run.process.out, "") << c.date;
        EXPECT_FALSE(run.file.has_value()) << c.date;
    }
}

TEST_F(ExportTest, TodayAndFortyFiveDaysAheadAreAccepted) {
    for (const char* date : {"07/12/2026", "21/01/2027"}) {
        const ExportRun run = Export({"--today", "07/12/2026", "--date", date}, kPayments);
        EXPECT_EQ(run.process.exitCode, 1) << date << ": " << run.process.err;
        EXPECT_TRUE(run.file.has_value()) << date;
    }
}

TEST_F(ExportTest, TheDefaultDateIsTheNextAvailableOneAfterToday) {
    const std::pair<const char*, const char*> cases[] = {
        {"20/05/2024", "22052024"},  // Monday: Wednesday
        {"24/05/2024", "29052024"},  // Friday: Monday 27 May is a holiday
        {"2024-03-27", "02042024"},  // over Easter
        {"31/12/2021", "07012022"},  // Saturday 1 to Monday 3 January all holidays
    };
    const std::string csv = kHeader + "12-34-56,12345678,1,20-00-00,87654321,X,,\r\n";
    for (const auto& [today, written] : cases) {
        const ExportRun run = Export({"--today", today}, csv);
        ASSERT_TRUE(run.file) << today << ": " << run.process.err;
        EXPECT_EQ(run.file->substr(0, run.file->find("\r\n") + 2),
                  Line80({{4, "01"}, {13, kPayer}, {17, "1.00"}, {19, written}, {25, "200000"}, {31, "87654321"}, {33, "X"}}))
            << today;
    }
}

// ---- what the file and the run must never get wrong ----

// Account numbers that hold what a line must never carry, each written as a quoted CSV field.
const std::string kHostileAccounts[] = {
    "\"1,2,3,4\"", "\"8\"\"7\"\"6\"", "\"12\r\n3456\"", "\"87\r654\n3\"", "\"1\0"s "2345678\"", "\"\"\"\"\"\"\"\"\"\"",
};

// Checks that `file` is a sequence of whole lines of `fields` fields and returns how many.
std::size_t CountWholeLines(const std::string& file, int fields, const std::string& label) {
    std::size_t lines = 0;
    std::size_t start = 0;
    for (std::size_t end = file.find("\r\n"); end != std::string::npos; end = file.find("\r\n", start)) {
        const std::string line = file.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), fields - 1) << label << " line " << lines << ": " << line;
        EXPECT_EQ(line.find_first_of("\"\r\n\0"s), std::string::npos) << label << " line " << lines << ": " << line;
        ++lines;
        start = end + 2;
    }
    EXPECT_EQ(start, file.size()) << label << ": text after the last line end";
    return lines;
}

TEST_F(ExportTest, AccountNumbersNeverBreakTheShapeOfALine) {
    const std::string header = "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName\r\n";
    std::string payerSide = header;
    std::string payeeSide = header;
    for (const auto& account : kHostileAccounts) {
        payerSide += "12-34-56," + account + ",1,20-00-00,87654321,A\r\n";
        payeeSide += "12-34-56,12345678,1,20-00-00," + account + ",B\r\n";
    }
    const std::size_t count = std::size(kHostileAccounts);
    const struct {
        const char* format;
        int fields;
        std::size_t payerSideLines;  // a failed bulk header stands alone
        std::size_t payeeSideLines;
    } cases[] = {
        {"standard-domestic", 80, count, count},
        {"domestic-template", 80, count, count},
        {"bulk-list", 80, 1, count + 1},
        {"ad-hoc-bulk", 85, 1, count + 1},
    };
    for (const auto& c : cases) {
        for (const auto& [side, csv, lines] : {std::tuple{"payer", payerSide, c.payerSideLines},
                                               std::tuple{"payee", payeeSide, c.payeeSideLines}}) {
            const std::string label = std::string(c.format) + ", bad " + side + " accounts";
            const ExportRun run = Export(With(kDates, {"--format", c.format}), csv);
            ASSERT_TRUE(run.file) << label << ": " << run.process.err;
            EXPECT_EQ(CountWholeLines(*run.file, c.fields, label), lines) << label;
            EXPECT_EQ(run.process.exitCode, 1) << label;
            // Behind a failed bulk header the other payments are not validated and keep their status.
            const bool onlyTheFirstIsChecked = lines == 1;
            const std::string checked = onlyTheFirstIsChecked ? run.process.out.substr(0, run.process.out.find('\n')) : run.process.out;
            EXPECT_EQ(checked.find("\t0\t"), std::string::npos) << label << ": a payment passed\n" << run.process.out;
        }
    }
}

TEST_F(ExportTest, AFailedBulkHeaderLeavesOnlyTheHeader) {
    const std::string csv = "Status,PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName\r\n"
                            "0,1234567,12345678,5,20-00-00,87654321,A\r\n"
                            "7,,,5,20-00-00,87654321,B\r\n";
    const ExportRun run = Export(With(kDates, {"--format", "bulk-list"}), csv);
    ASSERT_TRUE(run.file) << run.process.err;
    EXPECT_EQ(*run.file, Line80({{4, "06"}, {13, "12345612345678"}, {19, kDate}, {74, "C"}}));
    EXPECT_EQ(run.process.out, "0\t23\tInvalid Payer Sort Code: the sort code must contain exactly 6 digits.\n1\t7\t\nresult\t1\n");
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST_F(ExportTest, AnEmptyListInABulkFormatInventsNoHeader) {
    for (const char* format : {"bulk-list", "ad-hoc-bulk"}) {
        const ExportRun run = Export(With(kDates, {"--format", format}), kHeader);
        EXPECT_EQ(run.process.exitCode, 2) << format;
        EXPECT_EQ(run.process.out, "result\t2\n") << format;
        EXPECT_NE(run.process.err.find("no payments"), std::string::npos) << format << ": " << run.process.err;
        EXPECT_EQ(run.file.value_or(""), "") << format;
    }
}

TEST_F(ExportTest, AnEmptyListInADomesticFormatIsAnEmptyFile) {
    const ExportRun run = Export(kDates, kHeader);
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(run.process.out, "result\t0\n");
    EXPECT_EQ(run.file, std::optional<std::string>(""));
}

TEST_F(ExportTest, AFileThatCannotBeOpenedGivesResult2) {
    const ExportRun run = Export(kDates, kPayments, "missing-folder/upload.csv");
    EXPECT_EQ(run.process.exitCode, 2);
    EXPECT_NE(run.process.out.find("\nresult\t2\n"), std::string::npos) << run.process.out;
    EXPECT_NE(run.process.err.find("the file could not be written: it cannot be opened"), std::string::npos) << run.process.err;
}

#ifndef _WIN32
TEST(ExportFullDisk, AFileThatCannotBeWrittenIsNoSuccess) {
    const TempDir dir;
    const std::string in = dir.Write("payments.csv", kPayments);
    const ProcessResult run = RunVarrow({"export", "--today", "01/12/2026", "--date", "07/12/2026", "-o", "/dev/full", in});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out.substr(run.out.size() - 9), "result\t2\n") << run.out;
    EXPECT_EQ(run.err, "varrow export: /dev/full: the file could not be written\n");
}
#endif

// ---- usage errors: one line, a pointer to --help, exit 64, no file ----

struct UsageCase {
    Args args;
    std::string csv;
    const char* mentions;
};

TEST_F(ExportTest, BadInputIsAUsageErrorOnOneLine) {
    const std::string row = "12-34-56,12345678,1,20-00-00,87654321,X,,\r\n";
    const UsageCase cases[] = {
        {{"--format", "bacs"}, kPayments, "unknown format 'bacs'"},
        {{"--date", "2026-02-30"}, kPayments, "--date '2026-02-30'"},
        {{"--date", "7/12/2026"}, kPayments, "--date '7/12/2026'"},
        {{"--today", "31/04/2026"}, kPayments, "--today '31/04/2026'"},
        {{"--colour", "red"}, kPayments, "unknown option '--colour'"},
        {{"--iat", "0", "--format", "bulk-list"}, kPayments, "--iat cannot be used with bulk-list"},
        {{"--iat", "0", "--format", "ad-hoc-bulk"}, kPayments, "--iat cannot be used with ad-hoc-bulk"},
        {{"--iat", "3"}, kPayments, "--iat names payment 3, but the list holds 3 payments"},
        {{"--iat", "1;2"}, kPayments, "'1;2' is not a payment index"},
        {{}, "Value,Amount\r\n1,2\r\n", "unknown column 'Amount'"},
        {{}, "Value,VALUE\r\n1,2\r\n", "column 'VALUE' is named more than once"},
        {{}, "Value\r\n12.50\r\n\"12,50\"\r\n", "line 3 (payment 1), column Value: '12,50'"},
        {{}, "Value\r\n\xC2\xA3" "5\r\n", "column Value: '\xC2\xA3" "5'"},
        {{}, "Status\r\nyes\r\n", "line 2 (payment 0), column Status: 'yes'"},
        {{}, "Currency\r\n70000\r\n", "column Currency: '70000' is outside the range"},
        {{}, "Date\r\n29/02/2026\r\n", "column Date: '29/02/2026'"},
        {{}, "PayeeBankAccountName\r\nCaf\xE9\r\n", "column PayeeBankAccountName: 'Caf\xE9' is not valid UTF-8"},
        {{}, kHeader + row + "1,2\r\n", "line 3 (payment 1) has 2 fields"},
        {{}, kHeader + "\"12-34-56,12345678\r\n", "line 2: a quoted field is never closed"},
        {{}, "", "no header row"},
    };
    for (const auto& c : cases) {
        const ExportRun run = Export(c.args, c.csv);  // refused before the date matters
        EXPECT_EQ(run.process.exitCode, 64) << c.mentions;
        EXPECT_NE(run.process.err.find(c.mentions), std::string::npos) << c.mentions << " not in: " << run.process.err;
        EXPECT_NE(run.process.err.find("; see 'varrow export --help'\n"), std::string::npos) << run.process.err;
        EXPECT_EQ(std::count(run.process.err.begin(), run.process.err.end(), '\n'), 1) << run.process.err;
        EXPECT_EQ(run.process.out, "") << c.mentions;
        EXPECT_FALSE(run.file.has_value()) << c.mentions;
    }
}

TEST(ExportUsage, TheCommandLineItselfIsChecked) {
    const TempDir dir;
    const std::string in = dir.Write("payments.csv", kPayments);
    const std::pair<Args, const char*> cases[] = {
        {{"export", in}, "give -o OUT"},
        {{"export", "-o", dir.File("out.csv")}, "give PAYMENTS.csv"},
        {{"export", "-o", dir.File("out.csv"), in, in}, "more than one payment list"},
        {{"export", "-o", dir.File("out.csv"), dir.File("absent.csv")}, "cannot read"},
        {{"export", "-o", in, in}, "is the payment list itself"},
        {{"export", "-o", dir.File("out.csv"), "-o", dir.File("out2.csv"), in}, "-o is given more than once"},
    };
    for (const auto& [args, mentions] : cases) {
        const ProcessResult run = RunVarrow(args);
        EXPECT_EQ(run.exitCode, 64) << mentions;
        EXPECT_NE(run.err.find(mentions), std::string::npos) << mentions << " not in: " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(ReadFileBytes(in), kPayments) << "the payment list was overwritten";
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));
}

TEST(ExportHelp, ExplainsTheCommand) {
    for (const Args& args : {Args{"export", "--help"}, Args{"export", "-o", "x", "--help"}}) {
        const ProcessResult run = RunVarrow(args);
        EXPECT_EQ(run.exitCode, 0);
        for (const char* topic : {"usage: varrow export", "--format F", "standard-domestic", "domestic-template",
                                  "bulk-list", "ad-hoc-bulk", "--date D", "--today D", "--template T", "--benref R",
                                  "--iat LIST", "-o OUT", "ClientReference", "INDEX<TAB>STATUS<TAB>TEXT", "40 ", "64 "}) {
            EXPECT_NE(run.out.find(topic), std::string::npos) << topic;
        }
    }
}

}  // namespace
