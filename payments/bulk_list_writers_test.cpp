// Header "06" and record "07" of BulkList: every field and the checks in their order.
#include "payments/bulk_list_writers.h"

#include <gtest/gtest.h>

#include "payments/payment_test_support.h"
#include "payments/status_codes.h"
#include "payments/upload_context.h"

namespace {

using testing_support::DescribeFieldDifferences;
using testing_support::ExamplePayment;

UploadContext Context() {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7);
    options.format = PaymentFormat::BulkList;
    options.templateName = "Suppliers, monthly";
    options.beneficiaryReference = "Dec's run #7";
    return MakeUploadContext(options, "out.csv");
}

TEST(BulkListHeader, EveryField) {
    PaymentRecord record = ExamplePayment();
    record.Status = 1;
    std::string line;
    EXPECT_TRUE(WriteBulkListHeader(line, *MakeRecordPayment(record), Context()));
    EXPECT_EQ(DescribeFieldDifferences(line, 80,
                                       {{4, "06"}, {6, "SUPPLIERS MONTHLY"}, {13, "12345612345678"}, {19, "07122026"},
                                        {37, "DECS RUN 7"}, {74, "C"}}),
              "")
        << line;
    EXPECT_EQ(record.Status, 0);
}

TEST(BulkListHeader, ChecksOnlyThePayerAccount) {
    struct Case {
        const char* what;
        void (*change)(PaymentRecord&);
        std::int32_t status;
        const char* field13;
    };
    const Case cases[] = {
        {"valid", [](PaymentRecord&) {}, 0, "12345612345678"},
        {"payee, amount and name are not the header's concern",
         [](PaymentRecord& r) {
             r.Value = -1;
             r.PayeeBankSortCode = r.PayeeBankAccountNumber = r.PayeeBankAccountName = u"";
         },
         0, "12345612345678"},
        {"payer sort code", [](PaymentRecord& r) { r.PayerBankSortCode = u"1234567"; }, 23, "12345612345678"},
        {"payer account", [](PaymentRecord& r) { r.PayerBankAccountNumber = u"1234567"; }, 24, "12345601234567"},
        {"both: the later stays",
         [](PaymentRecord& r) {
             r.PayerBankSortCode = u"12-34";
             r.PayerBankAccountNumber = u"1234-567";
         },
         24, "0012341234-567"},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        c.change(record);
        std::string line;
        EXPECT_EQ(WriteBulkListHeader(line, *MakeRecordPayment(record), Context()), c.status == 0) << c.what;
        EXPECT_EQ(record.Status, c.status) << c.what;
        const auto fields = testing_support::SplitFields(line.substr(0, line.size() - 2));
        ASSERT_EQ(fields.size(), 80u) << c.what;
        EXPECT_EQ(fields[12], c.field13) << c.what;
    }
}

TEST(BulkListRecord, EveryField) {
    struct Case {
        const char* what;
        void (*change)(PaymentRecord&);
        std::map<int, std::string> fields;
    };
    const Case cases[] = {
        {"without roll number", [](PaymentRecord&) {},
         {{4, "07"}, {8, "INV 42"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"},
          {33, "J. SMITH & CO"}}},
        {"with roll number",
         [](PaymentRecord& r) {
             r.PayeeBuildingSocietyRollNumber = u"roll/77, a";
             r.PayeeBankBACSReference = u"Invoice 2026-0042 for December work";
         },
         {{4, "07"}, {8, "INVOICE 2026-0042 FOR DEC"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"},
          {33, "J. SMITH & CO"}, {37, "ROLL/77 A"}}},
        {"payer fields are not written",
         [](PaymentRecord& r) {
             r.PayerBankSortCode = u"99-99-99";
             r.PayerBankAccountNumber = u"99999999";
             r.PayeeBankBACSReference.clear();
             r.PayeeBuildingSocietyRollNumber = u"abcdefghijklmnopqrstuvwxyz";
         },
         {{4, "07"}, {16, "GBP"}, {17, "100.00"}, {25, "200000"}, {31, "87654321"}, {33, "J. SMITH & CO"},
          {37, "ABCDEFGHIJKLMNOPQR"}}},
        {"failed values written all the same",
         [](PaymentRecord& r) {
             r.Value = -5;
             r.PayeeBankSortCode = u"20000";
             r.PayeeBankAccountNumber = u"7654321";
             r.PayeeBankAccountName = u"";
         },
         {{4, "07"}, {8, "INV 42"}, {16, "GBP"}, {17, "-5.00"}, {25, "20000 "}, {31, "07654321"}}},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        c.change(record);
        std::string line;
        WriteBulkListRecord(line, *MakeRecordPayment(record), Context());
        EXPECT_EQ(DescribeFieldDifferences(line, 80, c.fields), "") << c.what << ": " << line;
    }
}

TEST(BulkListRecord, ChecksInOrderAndTheLastFailureStays) {
    struct Case {
        const char* what;
        void (*change)(PaymentRecord&);
        std::int32_t status;
    };
    const Case cases[] = {
        {"valid", [](PaymentRecord&) {}, 0},
        {"payer fields are not checked",
         [](PaymentRecord& r) { r.PayerBankSortCode = r.PayerBankAccountNumber = u""; }, 0},
        {"amount", [](PaymentRecord& r) { r.Value = 0; }, 21},
        {"payee sort code", [](PaymentRecord& r) { r.PayeeBankSortCode = u"12345"; }, 28},
        {"payee account", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"1234567a"; }, 29},
        {"payee name", [](PaymentRecord& r) { r.PayeeBankAccountName = u""; }, 30},
        {"amount and payee account",
         [](PaymentRecord& r) {
             r.Value = -1;
             r.PayeeBankAccountNumber = u"";
         },
         29},
        {"payee sort code and name",
         [](PaymentRecord& r) {
             r.PayeeBankSortCode = u"";
             r.PayeeBankAccountName = u"";
         },
         30},
        {"amount and payee sort code",
         [](PaymentRecord& r) {
             r.Value = -1;
             r.PayeeBankSortCode = u"";
         },
         28},
    };
    for (const auto& c : cases) {
        PaymentRecord record = ExamplePayment();
        c.change(record);
        std::string line;
        EXPECT_EQ(WriteBulkListRecord(line, *MakeRecordPayment(record), Context()), c.status == 0) << c.what;
        EXPECT_EQ(record.Status, c.status) << c.what;
    }
}

TEST(BulkListRecord, StatusOnTheWayInIsNoMark) {
    for (const std::int32_t statusIn : {1, 23, -1}) {
        PaymentRecord record = ExamplePayment();
        record.Status = statusIn;
        std::string line;
        EXPECT_TRUE(WriteBulkListRecord(line, *MakeRecordPayment(record), Context())) << "Status in " << statusIn;
        EXPECT_EQ(line.substr(0, 6), ",,,07,") << "Status in " << statusIn;
        EXPECT_EQ(record.Status, 0) << "Status in " << statusIn;
    }
}

}  // namespace
