#include "payments/upload_verifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <tuple>

#include "accounts/table_choice.h"
#include "payments/payment_test_support.h"
#include "payments/upload_context.h"

namespace {

using testing_support::ExpectedLine;
using testing_support::OleDate;
using Fields = std::map<int, std::string>;

const double kToday = OleDate(2026, 12, 1);  // a Tuesday

Fields Payment(const std::string& reference, const std::string& amount = "10.00") {
    return {{4, "01"}, {13, "12345612345678"}, {17, amount}, {19, "07122026"}, {25, "200000"}, {31, "87654321"},
            {33, "J SMITH"}, {37, reference}};
}

Fields With(Fields fields, const Fields& changes) {
    for (const auto& [number, value] : changes) fields[number] = value;
    return fields;
}

std::string Lines(const std::vector<Fields>& lines, int count = 80) {
    std::string bytes;
    for (const Fields& line : lines) bytes += ExpectedLine(count, line);
    return bytes;
}

const std::string kThreePayments = Lines({Payment("A"), Payment("B"), Payment("C")});

VerifyReport Verify(const std::string& bytes, VerifyOptions options = {}) {
    options.today = kToday;
    return VerifyUploadFile(bytes, options);
}

// LINE:FIELD:e|w:TEXT for each finding, one a line.
std::string Described(const VerifyReport& report) {
    std::string out;
    for (const Finding& f : report.findings)
        out += std::to_string(f.line) + ":" + std::to_string(f.field) + (f.severity == Severity::Error ? ":e:" : ":w:") + f.text + "\n";
    return out;
}

struct Expectation {
    const char* what;
    std::string bytes;
    std::string finding;  // LINE:FIELD:e|w:TEXT of the one finding, or its beginning
};

// The findings are the lines of `c.finding`, the last of which may be cut short.
void ExpectFindings(const Expectation& c, VerifyOptions options = {}) {
    const VerifyReport report = Verify(c.bytes, options);
    const std::string found = Described(report);
    const auto lines = static_cast<std::size_t>(std::count(c.finding.begin(), c.finding.end() - 1, '\n')) + 1;
    EXPECT_EQ(report.findings.size(), lines) << c.what << ":\n" << found;
    EXPECT_EQ(found.rfind(c.finding, 0), 0u) << c.what << ":\n" << found;
}

// Every `from` in `text` as `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// The file the writers make of three payments in `format` for Monday 7 December 2026.
std::string Written(PaymentFormat format) {
    PaymentOptions options;
    options.format = format;
    options.processingDate = OleDate(2026, 12, 7);
    options.templateName = "Rent";
    options.beneficiaryReference = "Dec";
    const UploadContext context = MakeUploadContext(options, "run.csv");
    std::vector<PaymentRecord> payments(3, testing_support::ExamplePayment());
    const std::u16string payees[][4] = {{u"01-00-00", u"07654321", u"J. Smith & Co", u"inv 41"},
                                        {u"02-00-00", u"08765432", u"Acme Supplies", u"inv 42"},
                                        {u"08-99-99", u"66347958", u"Kestrel Fixings", u"inv 43"}};
    std::string file;
    for (std::size_t i = 0; i < payments.size(); ++i) {
        PaymentRecord& p = payments[i];
        p.Value = i == 1 ? 1250 : 7.25;
        p.PayerBankSortCode = u"01-34-56";
        p.PayerBankAccountNumber = u"01345678";
        std::tie(p.PayeeBankSortCode, p.PayeeBankAccountNumber, p.PayeeBankAccountName, p.PayeeBankBACSReference) =
            std::tie(payees[i][0], payees[i][1], payees[i][2], payees[i][3]);
        if (i == 0 && FormatInfo(format).writeHeader) FormatInfo(format).writeHeader(file, *MakeRecordPayment(p), context);
        FormatInfo(format).writeRecord(file, *MakeRecordPayment(p), context);
    }
    return file;
}

// The lines with an error.
std::set<std::size_t> ErrorLines(const VerifyReport& report) {
    std::set<std::size_t> lines;
    for (const Finding& f : report.findings) {
        if (f.severity == Severity::Error) lines.insert(f.line);
    }
    return lines;
}

TEST(VerifyUploadFile, AWholeFileDamageIsOneFinding) {
    const std::pair<const char*, std::function<std::string(const std::string&)>> damages[] = {
        {"1:0:e:line ends are LF, not CR LF; write the file again", [](const std::string& f) { return Replaced(f, "\r\n", "\n"); }},
        {"1:0:e:line ends are CR, not CR LF", [](const std::string& f) { return Replaced(f, "\r\n", "\r"); }},
        {"1:0:e:the file begins with a byte order mark", [](const std::string& f) { return "\xEF\xBB\xBF" + f; }},
        {"1:0:e:fields are separated by semicolons, not commas", [](const std::string& f) { return Replaced(f, ",", ";"); }},
    };
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        const std::string file = Written(format.format);
        EXPECT_EQ(Described(Verify(file)), "") << format.commandLineName;
        for (const auto& [finding, damage] : damages) {
            ExpectFindings({format.commandLineName, damage(file), finding});
        }
    }
}

TEST(VerifyUploadFile, ADamageToALineIsAnErrorOnThatLine) {
    const std::string file = Written(PaymentFormat::StandardDomestic);
    // Line 2, payment 1, as the writer wrote it, its CR LF included.
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
        {"dropped zero of the record type", ",01,", ",1,"},
        {"scientific notation", ",01345601345678,", ",1.34560E+12,"},
        {"an amount as 1250", ",1250.00,", ",1250,"},
        {"an amount as 1250.5", ",1250.00,", ",1250.5,"},
        {"a short row", "INV 42" + std::string(43, ',') + "\r\n", "INV 42\r\n"},
        {"a field too many", "\r\n", ",\r\n"},
        {"LF", "\r\n", "\n"},
        {"CR", "\r\n", "\r"},
        {"no line end", "\r\n", ""},
        {"quotes", ",ACME SUPPLIES,", ",\"ACME SUPPLIES\","},
        {"lower case", ",ACME SUPPLIES,", ",Acme Supplies,"},
        {"a pound sign", ",1250.00,", ",\xC2\xA3" "1250.00,"},
        {"an apostrophe", ",ACME SUPPLIES,", ",ACME'S SUPPLIES,"},
        {"an unknown record type", ",01,", ",11,"},
        {"a field the record leaves empty", ",,1250.00,", ",GBP,1250.00,"},
        {"an empty line before it", ",,,01,", "\r\n,,,01,"},
    };
    for (const auto& damage : damages) {
        ASSERT_NE(line.find(damage.from), std::string::npos) << damage.what << " in " << line;
        const bool atTheEnd = std::string(damage.what) == "no line end";
        const std::string rest = atTheEnd ? "" : file.substr(end);
        const VerifyReport report = Verify(file.substr(0, start) + Replaced(line, damage.from, damage.to) + rest);
        EXPECT_EQ(ErrorLines(report), std::set<std::size_t>{2}) << damage.what << ":\n" << Described(report);
    }
}

TEST(VerifyUploadFile, RecordsInTheirOrder) {
    const Fields header = {{4, "06"}, {13, "12345612345678"}, {19, "07122026"}, {37, "REF"}, {74, "C"}};
    const Fields record = {{4, "07"}, {8, "R"}, {16, "GBP"}, {17, "1.00"}, {25, "200000"}, {31, "87654321"}, {33, "A"}};
    const Expectation cases[] = {
        {"no header", Lines({record}), "1:0:e:the file does not begin with its 06 header: a bulk-list file is one 06 header followed by 07 records"},
        {"a second header", Lines({header, record, header}), "3:4:e:a second 06 header"},
        {"a record of another format", Lines({header, record, Payment("A")}), "3:4:e:a 01 record does not belong here"},
        {"a header alone", Lines({header}), "1:0:e:the file holds no payment"},
        {"nothing", "", "1:0:e:the file is empty"},
        {"no record type", "a,b,c,d\r\n",
         "1:0:e:no line holds the record type of an upload file (01, 03, 06, 07, 08 or 09) in field 4\n"
         "1:4:e:the record type d is none of 01, 03, 06, 07, 08 and 09"},
    };
    for (const Expectation& c : cases) ExpectFindings(c);
}

TEST(VerifyUploadFile, TheFormatIsTheFilesUnlessOneIsGiven) {
    const Fields named = {{4, "01"}, {6, "RENT"}, {13, "12345612345678"}, {16, "GBP"}, {17, "1.00"}, {19, "07122026"}, {37, "R"}};
    const Fields unnamed = With(named, {{6, ""}});
    const Fields transfer = {{4, "03"}, {13, "12345612345678"}, {16, "GBP"}, {17, "1.00"}, {19, "07122026"}, {40, "R"}};
    const std::pair<std::string, const char*> cases[] = {
        {kThreePayments, "standard-domestic"},
        {Lines({named, unnamed}), "domestic-template"},
        {Lines({transfer}), "domestic-template"},
        {Lines({With(transfer, {{25, "200000"}, {31, "87654321"}})}), "standard-domestic"},
        {Lines({Payment("A"), named}), nullptr},
        {Lines({{{4, "08"}, {13, "12345612345678"}, {19, "07122026"}}}, 85), "ad-hoc-bulk"},
    };
    for (const auto& [bytes, format] : cases) {
        const VerifyReport report = Verify(bytes);
        EXPECT_STREQ(report.format ? FormatInfo(*report.format).commandLineName : nullptr, format) << bytes;
        if (!format) {
            EXPECT_EQ(Described(report), "1:0:e:the records do not show whether the file is standard-domestic or domestic-template: give --format\n");
        }
    }
    const VerifyReport given = Verify(kThreePayments, {PaymentFormat::BulkList});
    // No header, no payment, and three 01 records out of place.
    EXPECT_EQ(given.findings.size(), 5u) << Described(given);
}

TEST(VerifyUploadFile, TheProcessingDateIsABankingDayWithinTheWindow) {
    std::istringstream listed("2026-12-07 closed\n");
    const HolidayList holidays = HolidayList::Parse(listed, "HOLIDAYS.TXT");
    const std::pair<const char*, std::string> cases[] = {
        {"01122026", ""},
        {"15012027", ""},
        {"30112026", "the processing date 30/11/2026 is before today, 01/12/2026"},
        {"12122026", "the processing date 12/12/2026 falls on a weekend: the next likely banking day is 2 days later"},
        {"25122026", "the processing date 25/12/2026 falls on a bank holiday: the next likely banking day is 4 days later"},
        {"07122026", "the processing date 07/12/2026 falls on a bank holiday: the next likely banking day is 1 day later"},
        {"18012027", "the processing date 18/01/2027 is more than 45 days after today, 01/12/2026"},
    };
    for (const auto& [date, text] : cases) {
        VerifyOptions options;
        options.holidays = &holidays;
        const VerifyReport report = Verify(Lines({With(Payment("A"), {{19, date}})}), options);
        EXPECT_EQ(Described(report), text.empty() ? "" : "1:19:e:" + text + "\n") << date;
    }
}

TEST(VerifyUploadFile, TheBanksAccountNumberCheckWhereItIsAsked) {
    const ModulusTables tables = LoadTablesIn(VARROW_MODULUS_DIR).tables;
    VerifyOptions options;
    options.accountTables = &tables;
    const std::pair<const char*, std::string> cases[] = {
        {"66374958", ""},
        {"66347958", "1:31:e:the payee account number 66347958 fails the bank's account number check for sort code 089999\n"},
        {"6637495", "1:31:e:the payee account number 6637495 has 7 digits"},
    };
    for (const auto& [account, finding] : cases) {
        const VerifyReport report = Verify(Lines({With(Payment("A"), {{25, "089999"}, {31, account}})}), options);
        EXPECT_EQ(Described(report).substr(0, finding.size()), finding) << account;
        EXPECT_EQ(report.findings.size(), finding.empty() ? 0u : 1u) << account;
    }
}

TEST(VerifyUploadFile, WarnsOfTheSamePaymentTwiceAndOfNoReference) {
    const Fields rent = {{4, "01"}, {6, "RENT"}, {13, "12345612345678"}, {16, "GBP"}, {17, "1.00"}, {19, "07122026"}, {37, "Q1"}};
    const VerifyReport payments = Verify(Lines({Payment("A"), Payment("A"), Payment("B"), Payment("A"), Payment("")}));
    EXPECT_EQ(Described(payments),
              "1:0:w:the same payment as lines 2 and 4: the same payee, amount and reference\n"
              "2:0:w:the same payment as lines 1 and 4: the same payee, amount and reference\n"
              "4:0:w:the same payment as lines 1 and 2: the same payee, amount and reference\n"
              "5:37:w:the payment has no reference: the payee will not see what it is for\n");
    EXPECT_EQ(Described(Verify(Lines({rent, rent}))),
              "1:0:w:the same payment as line 2: the same template, amount and reference\n"
              "2:0:w:the same payment as line 1: the same template, amount and reference\n");
}

TEST(VerifyUploadFile, CountsLinesPaymentsAndTheirTotal) {
    const Fields header = {{4, "06"}, {13, "12345612345678"}, {19, "07122026"}, {37, "REF"}, {74, "C"}};
    const Fields record = {{4, "07"}, {8, "R"}, {16, "GBP"}, {17, "999999999999999999.99"}, {25, "200000"}, {31, "87654321"}, {33, "A"}};
    const VerifyReport report = Verify(Lines({header, record, With(record, {{8, "S"}, {17, "0.01"}}), With(record, {{17, "x"}})}));
    EXPECT_EQ(report.lines, 4u);
    EXPECT_EQ(report.payments, 3u);
    EXPECT_EQ(report.total, "1000000000000000000.00");  // of the amounts that can be read
    EXPECT_EQ(report.Count(Severity::Error), 1u) << Described(report);
    EXPECT_EQ(report.Count(Severity::Warning), 0u) << Described(report);
}

}  // namespace
