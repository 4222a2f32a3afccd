// Header "08" and record "09" of AdHocBulk: every field, the payment reference and the checks.
#include "payments/ad_hoc_bulk_writers.h"

#include <gtest/gtest.h>

#include "payments/payment_test_support.h"
#include "payments/status_codes.h"
#include "payments/upload_context.h"

namespace {

using testing_support::DescribeFieldDifferences;
using testing_support::ExamplePayment;

UploadContext Context(const std::string& outputPath = "C:\\Payments\\Run 7-12.csv") {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7);
    options.format = PaymentFormat::AdHocBulk;
    options.beneficiaryReference = "Varrow, Dec";
    return MakeUploadContext(options, outputPath);
}

TEST(AdHocBulkHeader, EveryField) {
    PaymentRecord record = ExamplePayment();
    std::string line;
    EXPECT_TRUE(WriteAdHocBulkHeader(line, *MakeRecordPayment(record), Context()));
    EXPECT_EQ(DescribeFieldDifferences(line, 85,
                                       {{4, "08"}, {9, "RUN 7-12.CSV"}, {13, "12345612345678"}, {19, "07122026"},
                                        {37, "VARROW DEC"}}),
              "")
        << line;
}

TEST(AdHocBulkHeader, FileNameIsCleanedAndCut) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Payments\\Run 7-12.csv", "RUN 7-12.CSV"},
        {"/home/acc/out/supplier_payments_december.csv", "SUPPLIERPAYMENTS"},
        {"D:payments.txt", "PAYMENTS.TXT"},
        {"C:\\a,b\\c'd,e.csv", "CDE.CSV"},
    };
    for (const auto& [path, field9] : cases) {
        PaymentRecord record = ExamplePayment();
        std::string line;
        WriteAdHocBulkHeader(line, *MakeRecordPayment(record), Context(path));
        const auto fields = testing_support::SplitFields(line.substr(0, line.size() - 2));
        ASSERT_EQ(fields.size(), 85u) << path;
        EXPECT_EQ(fields[8], field9) << path;
    }
}

TEST(AdHocBulkHeader, ChecksThePayerAccountInOrder) {
    struct Case {
        std::u16string sortCode, account;
        std::int32_t status;
    };
    const Case cases[] = {
        {u"12-34-56", u"12345678", 0},
        {u"", u"12345678", 23},
        {u"12-34-56", u"", 24},
        {u"1", u"1", 24},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        record.PayerBankSortCode = c.sortCode;
        record.PayerBankAccountNumber = c.account;
        record.Value = -1;  // the header does not look at the amount
        std::string line;
        EXPECT_EQ(WriteAdHocBulkHeader(line, *MakeRecordPayment(record), Context()), c.status == 0) << c.status;
        EXPECT_EQ(record.Status, c.status);
    }
}

TEST(AdHocBulkRecord, EveryField) {
    PaymentRecord record = ExamplePayment();
    record.Status = 1;  // never read: no IATs in this format
    std::string line;
    EXPECT_TRUE(WriteAdHocBulkRecord(line, *MakeRecordPayment(record), Context()));
    EXPECT_EQ(DescribeFieldDifferences(line, 85,
                                       {{4, "09"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"},
                                        {33, "J. SMITH & CO"}, {37, "INV 42"}}),
              "")
        << line;
    EXPECT_EQ(record.Status, 0);
}

TEST(AdHocBulkRecord, PaymentReferenceIsTheFirstThatApplies) {
    struct Case {
        std::u16string roll, bacs, payerSortCode, payerAccount;
        const char* field37;
    };
    const Case cases[] = {
        {u"AB/123", u"inv 42", u"12-34-56", u"12345678", "AB/123"},
        {u"", u"inv 42", u"12-34-56", u"12345678", "INV 42"},
        {u"", u"", u"12-34-56", u"1234-5678", "12345612345678"},
        {u"", u"", u"12-34", u"1234", "12341234"},  // no zero fill
        {u"", u"", u"1234567", u"123456789", "12345612345678"},
        {u"", u"", u"", u"", ""},
        {u"", u"", u"ab", u"cd,ef", ""},
        {u"\u0100", u"\u0101", u"12-34-56", u"12345678", "12345612345678"},  // both convert to nothing
        {u"'''", u"inv 42", u"12-34-56", u"12345678", ""},
        {u"a roll number of many characters", u"", u"", u"", "A ROLL NUMBER OF M"},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        record.PayeeBuildingSocietyRollNumber = c.roll;
        record.PayeeBankBACSReference = c.bacs;
        record.PayerBankSortCode = c.payerSortCode;
        record.PayerBankAccountNumber = c.payerAccount;
        std::string line;
        EXPECT_TRUE(WriteAdHocBulkRecord(line, *MakeRecordPayment(record), Context()));  // payer not checked
        const auto fields = testing_support::SplitFields(line.substr(0, line.size() - 2));
        ASSERT_EQ(fields.size(), 85u);
        EXPECT_EQ(fields[36], c.field37) << "expected " << c.field37;
    }
}

TEST(AdHocBulkRecord, FieldRules) {
    PaymentRecord record = ExamplePayment();
    record.PayeeBankAccountName = u"Abcdefghij Klmnopqrst Uvwxyz 1234567890";  // 40
    record.PayeeBankSortCode = u"20-00-0";
    record.PayeeBankAccountNumber = u"7654321";
    record.Value = 0.125;
    std::string line;
    EXPECT_FALSE(WriteAdHocBulkRecord(line, *MakeRecordPayment(record), Context()));
    EXPECT_EQ(DescribeFieldDifferences(line, 85,
                                       {{4, "09"}, {16, "GBP"}, {17, "0.13"}, {25, "20000 "}, {31, "07654321"},
                                        {33, "ABCDEFGHIJ KLMNOPQRST UVWXYZ 123456"}, {37, "INV 42"}}),
              "")
        << line;
    EXPECT_EQ(record.Status, status::kInvalidPayeeAccountNumber);
}

TEST(AdHocBulkRecord, EmptyPayeeNameLeavesField33Empty) {
    PaymentRecord record = ExamplePayment();
    record.PayeeBankAccountName.clear();
    std::string line;
    EXPECT_FALSE(WriteAdHocBulkRecord(line, *MakeRecordPayment(record), Context()));
    EXPECT_EQ(record.Status, status::kInvalidPayeeName);
    EXPECT_EQ(DescribeFieldDifferences(line, 85,
                                       {{4, "09"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"},
                                        {37, "INV 42"}}),
              "")
        << line;
}

TEST(AdHocBulkRecord, ChecksInOrderAndTheLastFailureStays) {
    struct Case {
        const char* what;
        void (*change)(PaymentRecord&);
        std::int32_t status;
    };
    const Case cases[] = {
        {"valid", [](PaymentRecord&) {}, 0},
        {"amount", [](PaymentRecord& r) { r.Value = -0.01; }, 21},
        {"payee sort code", [](PaymentRecord& r) { r.PayeeBankSortCode = u"1"; }, 28},
        {"payee account", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"1"; }, 29},
        {"payee name", [](PaymentRecord& r) { r.PayeeBankAccountName = u""; }, 30},
        {"amount and name",
         [](PaymentRecord& r) {
             r.Value = 0;
             r.PayeeBankAccountName = u"";
         },
         30},
        {"amount, sort code and account",
         [](PaymentRecord& r) {
             r.Value = 0;
             r.PayeeBankSortCode = r.PayeeBankAccountNumber = u"";
         },
         29},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        c.change(record);
        std::string line;
        EXPECT_EQ(WriteAdHocBulkRecord(line, *MakeRecordPayment(record), Context()), c.status == 0) << c.what;
        EXPECT_EQ(record.Status, c.status) << c.what;
        EXPECT_EQ(testing_support::SplitFields(line.substr(0, line.size() - 2)).size(), 85u) << c.what;
    }
}

}  // namespace
