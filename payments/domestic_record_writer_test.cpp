// Records "01" and "03" of StandardDomestic and DomesticTemplate: every field, the checks and
// their order, and the Inter Account Transfer decision.
#include "payments/domestic_record_writer.h"

#include <gtest/gtest.h>

#include "payments/payment_test_support.h"
#include "payments/status_codes.h"
#include "payments/upload_context.h"

namespace {

using testing_support::DescribeFieldDifferences;
using testing_support::ExamplePayment;
using Fields = std::map<int, std::string>;

const char* FormatName(PaymentFormat format) {
    return format == PaymentFormat::DomesticTemplate ? "DomesticTemplate" : "StandardDomestic";
}

UploadContext Context(PaymentFormat format) {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7);
    options.format = format;
    options.templateName = format == PaymentFormat::DomesticTemplate ? "Rent-Q1" : "";
    return MakeUploadContext(options, "out.csv");
}

struct Written {
    std::string line;
    bool passed;
};

Written Write(PaymentRecord& record, PaymentFormat format) {
    Written written;
    written.passed = WriteDomesticRecord(written.line, *MakeRecordPayment(record), Context(format));
    return written;
}

TEST(DomesticRecord, EveryFieldOfEachKind) {
    struct Case {
        PaymentFormat format;
        std::int32_t statusIn;
        Fields fields;
    };
    const Case cases[] = {
        {PaymentFormat::StandardDomestic, 0,
         {{4, "01"}, {13, "12345612345678"}, {17, "100.00"}, {19, "07122026"}, {25, "200000"}, {31, "87654321"},
          {33, "J. SMITH & CO"}, {37, "INV 42"}}},
        {PaymentFormat::StandardDomestic, 1,
         {{4, "03"}, {13, "12345612345678"}, {16, "GBP"}, {17, "100.00"}, {19, "07122026"}, {25, "200000"},
          {31, "87654321"}, {40, "INV 42"}}},
        {PaymentFormat::DomesticTemplate, 0,
         {{4, "01"}, {6, "RENT-Q1"}, {13, "12345612345678"}, {16, "GBP"}, {17, "100.00"}, {19, "07122026"},
          {37, "INV 42"}}},
        {PaymentFormat::DomesticTemplate, 1,
         {{4, "03"}, {6, "RENT-Q1"}, {13, "12345612345678"}, {16, "GBP"}, {17, "100.00"}, {19, "07122026"},
          {40, "INV 42"}}},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        record.Status = c.statusIn;
        const Written written = Write(record, c.format);
        EXPECT_EQ(DescribeFieldDifferences(written.line, 80, c.fields), "")
            << FormatName(c.format) << ", Status in " << c.statusIn << ": " << written.line;
        EXPECT_TRUE(written.passed) << FormatName(c.format) << ", Status in " << c.statusIn;
        EXPECT_EQ(record.Status, 0) << FormatName(c.format) << ", Status in " << c.statusIn;
    }
}

TEST(DomesticRecord, AnyNonZeroStatusMakesAnInterAccountTransfer) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "01"}, {1, "03"}, {23, "03"}, {-1, "03"}, {40, "03"}, {INT32_MIN, "03"},
    };
    for (const auto format : {PaymentFormat::StandardDomestic, PaymentFormat::DomesticTemplate}) {
        for (const auto& [statusIn, type] : cases) {
            PaymentRecord record = ExamplePayment();
            record.Status = statusIn;
            const Written written = Write(record, format);
            EXPECT_EQ(written.line.substr(3, 2), type) << FormatName(format) << ", Status in " << statusIn;
            EXPECT_EQ(record.Status, 0) << FormatName(format) << ", Status in " << statusIn;
        }
    }
}

TEST(DomesticRecord, PayeeReferenceIsTheRollNumberElseTheBacsReference) {
    struct Case {
        std::u16string roll, bacs;
        const char* field37;  // "01", first 18
        const char* field40;  // "03", first 16
    };
    const Case cases[] = {
        {u"", u"inv 42", "INV 42", "INV 42"},
        {u"AB/123", u"inv 42", "AB/123", "AB/123"},
        {u"", u"", "", ""},
        {u"***", u"inv 42", "", ""},               // a roll number that cleans to nothing still wins
        {u"\u0100abc", u"inv 42", "INV 42", "INV 42"},  // converts to nothing: the BACS reference
        {u"roll number 1234567890", u"x", "ROLL NUMBER 123456", "ROLL NUMBER 1234"},
        {u"", u"a,b\"c'd", "ABCD", "ABCD"},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        record.PayeeBuildingSocietyRollNumber = c.roll;
        record.PayeeBankBACSReference = c.bacs;
        const auto ordinary = testing_support::SplitFields(Write(record, PaymentFormat::StandardDomestic).line);
        ASSERT_EQ(ordinary.size(), 80u);
        record.Status = 1;
        const auto transfer = testing_support::SplitFields(Write(record, PaymentFormat::StandardDomestic).line);
        ASSERT_EQ(transfer.size(), 80u);
        EXPECT_EQ(ordinary[36], c.field37) << "roll " << c.roll.size() << " units, bacs " << c.bacs.size() << " units";
        EXPECT_EQ(transfer[39], c.field40) << "roll " << c.roll.size() << " units, bacs " << c.bacs.size() << " units";
    }
}

TEST(DomesticRecord, FieldRules) {
    struct Case {
        const char* what;
        void (*change)(PaymentRecord&);
        int field;
        const char* expected;
    };
    const Case cases[] = {
        {"payer sort code of four digits", [](PaymentRecord& r) { r.PayerBankSortCode = u"12 34"; }, 13,
         "00123412345678"},
        {"payer sort code of seven digits", [](PaymentRecord& r) { r.PayerBankSortCode = u"1234567"; }, 13,
         "12345612345678"},
        {"payer account of seven", [](PaymentRecord& r) { r.PayerBankAccountNumber = u"1234567"; }, 13,
         "12345601234567"},
        {"payer account of nine", [](PaymentRecord& r) { r.PayerBankAccountNumber = u"123456789"; }, 13,
         "12345612345678"},
        {"payer account with a space", [](PaymentRecord& r) { r.PayerBankAccountNumber = u"1234 5678"; }, 13,
         "1234561234 567"},
        {"empty payer", [](PaymentRecord& r) { r.PayerBankSortCode = r.PayerBankAccountNumber = u""; }, 13,
         "00000000000000"},
        {"payee sort code of five digits", [](PaymentRecord& r) { r.PayeeBankSortCode = u"20-00-0"; }, 25, "20000 "},
        {"empty payee sort code", [](PaymentRecord& r) { r.PayeeBankSortCode = u""; }, 25, "      "},
        {"payee sort code of eight digits", [](PaymentRecord& r) { r.PayeeBankSortCode = u"12345678"; }, 25,
         "123456"},
        {"payee account of seven", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"7654321"; }, 31, "07654321"},
        {"payee account of ten", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"9876543210"; }, 31, "98765432"},
        {"payee account not cleaned", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"ab-12"; }, 31, "000ab-12"},
        {"long payee name", [](PaymentRecord& r) { r.PayeeBankAccountName = u"Abcdefghij Klmnopqrst Uvwxyz 1234"; },
         33, "ABCDEFGHIJ KLMNOPQ"},
        {"payee name with apostrophe and comma", [](PaymentRecord& r) { r.PayeeBankAccountName = u"O'Brien, Ltd"; }, 33,
         "OBRIEN LTD"},
        {"payee name of asterisks", [](PaymentRecord& r) { r.PayeeBankAccountName = u"****"; }, 33, ""},
        {"payee name beyond 255", [](PaymentRecord& r) { r.PayeeBankAccountName = std::u16string(255, u'*') + u"abc"; },
         33, ""},
        {"amount with three decimals", [](PaymentRecord& r) { r.Value = 1234567.891; }, 17, "1234567.89"},
        {"negative amount", [](PaymentRecord& r) { r.Value = -5; }, 17, "-5.00"},
        {"tiny amount", [](PaymentRecord& r) { r.Value = 0.004; }, 17, "0.00"},
        {"amount at a half cent", [](PaymentRecord& r) { r.Value = 0.125; }, 17, "0.13"},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        c.change(record);
        const auto fields = testing_support::SplitFields(Write(record, PaymentFormat::StandardDomestic).line);
        ASSERT_EQ(fields.size(), 80u) << c.what;
        EXPECT_EQ(fields[static_cast<std::size_t>(c.field - 1)], c.expected) << c.what;
    }
}

// The checks of "01"/"03" in their order: payer sort code, payer account number, amount, payee sort
// code, payee account number, payee name (StandardDomestic "01" only). The last failure stays.
TEST(DomesticRecord, ChecksInOrderAndTheLastFailureStays) {
    struct Case {
        const char* what;
        void (*change)(PaymentRecord&);
        std::int32_t standard;  // StandardDomestic, not an IAT
        std::int32_t transfer;  // either format, an IAT
        std::int32_t templated;  // DomesticTemplate, not an IAT
    };
    const Case cases[] = {
        {"all valid", [](PaymentRecord&) {}, 0, 0, 0},
        {"payer sort code", [](PaymentRecord& r) { r.PayerBankSortCode = u"12345"; }, 23, 23, 23},
        {"payer account", [](PaymentRecord& r) { r.PayerBankAccountNumber = u"1234 5678"; }, 24, 24, 24},
        {"amount", [](PaymentRecord& r) { r.Value = 0; }, 21, 21, 21},
        {"payee sort code", [](PaymentRecord& r) { r.PayeeBankSortCode = u"1234567"; }, 28, 28, 28},
        {"payee account", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"8765432"; }, 29, 29, 29},
        {"payee name", [](PaymentRecord& r) { r.PayeeBankAccountName = u""; }, 30, 0, 0},
        {"payer sort code and payee account",
         [](PaymentRecord& r) {
             r.PayerBankSortCode = u"";
             r.PayeeBankAccountNumber = u"";
         },
         29, 29, 29},
        {"payer account and amount",
         [](PaymentRecord& r) {
             r.PayerBankAccountNumber = u"x";
             r.Value = -1;
         },
         21, 21, 21},
        {"amount and payee sort code",
         [](PaymentRecord& r) {
             r.Value = -1;
             r.PayeeBankSortCode = u"";
         },
         28, 28, 28},
        {"payer sort code and payee name",
         [](PaymentRecord& r) {
             r.PayerBankSortCode = u"";
             r.PayeeBankAccountName = u"";
         },
         30, 23, 23},
        {"everything",
         [](PaymentRecord& r) {
             r = PaymentRecord{};
             r.Status = 0;
         },
         30, 29, 29},
    };
    for (const auto& c : cases) {
        const std::pair<PaymentFormat, std::int32_t> runs[] = {
            {PaymentFormat::StandardDomestic, 0},
            {PaymentFormat::StandardDomestic, 1},
            {PaymentFormat::DomesticTemplate, 1},
            {PaymentFormat::DomesticTemplate, 0},
        };
        const std::int32_t expected[] = {c.standard, c.transfer, c.transfer, c.templated};
        for (std::size_t i = 0; i < std::size(runs); ++i) {
            PaymentRecord record = ExamplePayment();
            c.change(record);
            record.Status = runs[i].second;
            const Written written = Write(record, runs[i].first);
            EXPECT_EQ(record.Status, expected[i])
                << c.what << " in " << FormatName(runs[i].first) << ", Status in " << runs[i].second;
            EXPECT_EQ(written.passed, expected[i] == 0)
                << c.what << " in " << FormatName(runs[i].first) << ", Status in " << runs[i].second;
            EXPECT_EQ(testing_support::SplitFields(written.line).size(), 80u) << c.what;
        }
    }
}

TEST(DomesticRecord, AFailedValueIsWrittenAllTheSame) {
    PaymentRecord record = ExamplePayment();
    record.PayeeBankSortCode = u"20-00-0";
    record.PayeeBankAccountNumber = u"7654321";
    record.Value = -5;
    const Written written = Write(record, PaymentFormat::StandardDomestic);
    EXPECT_FALSE(written.passed);
    EXPECT_EQ(record.Status, status::kInvalidPayeeAccountNumber);
    EXPECT_EQ(DescribeFieldDifferences(written.line, 80,
                                       {{4, "01"}, {13, "12345612345678"}, {17, "-5.00"}, {19, "07122026"},
                                        {25, "20000 "}, {31, "07654321"}, {33, "J. SMITH & CO"}, {37, "INV 42"}}),
              "")
        << written.line;
}

TEST(DomesticRecord, EmptyPayeeNameLeavesField33Empty) {
    PaymentRecord record = ExamplePayment();
    record.PayeeBankAccountName.clear();
    const Written written = Write(record, PaymentFormat::StandardDomestic);
    EXPECT_FALSE(written.passed);
    EXPECT_EQ(record.Status, status::kInvalidPayeeName);
    EXPECT_EQ(DescribeFieldDifferences(written.line, 80,
                                       {{4, "01"}, {13, "12345612345678"}, {17, "100.00"}, {19, "07122026"},
                                        {25, "200000"}, {31, "87654321"}, {37, "INV 42"}}),
              "")
        << written.line;
}

TEST(DomesticRecord, AccountNumbersCannotBreakTheLine) {
    const std::u16string hostile[] = {u"12,45678", u"\"1234567", u"1234\r\n78", u"1,2,3,4,5,6", u"1\n2\r3\"4,"};
    for (const auto& number : hostile) {
        for (const std::int32_t statusIn : {0, 1}) {
            PaymentRecord record = ExamplePayment();
            record.PayerBankAccountNumber = number;
            record.PayeeBankAccountNumber = number;
            record.Status = statusIn;
            const Written written = Write(record, PaymentFormat::StandardDomestic);
            EXPECT_FALSE(written.passed);
            EXPECT_EQ(written.line.find_first_of("\"\r\n"), written.line.size() - 2) << written.line;
            const auto fields = testing_support::SplitFields(written.line.substr(0, written.line.size() - 2));
            ASSERT_EQ(fields.size(), 80u) << written.line;
            EXPECT_EQ(fields[12].size(), 14u) << written.line;
            EXPECT_NE(fields[12].find('?'), std::string::npos) << written.line;
            EXPECT_NE(fields[30].find('?'), std::string::npos) << written.line;
        }
    }
}

}  // namespace
