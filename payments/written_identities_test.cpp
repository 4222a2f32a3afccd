#include "payments/written_identities.h"

#include <gtest/gtest.h>

#include <functional>

#include "payments/duplicate_findings.h"
#include "payments/payment_test_support.h"

namespace {

using testing_support::ExamplePayment;

PaymentOptions Options(PaymentFormat format) {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7);
    options.format = format;
    options.templateName = FormatInfo(format).usesTemplate ? "RENT" : "";
    options.beneficiaryReference = FormatInfo(format).usesBeneficiaryReference ? "DEC RUN" : "";
    return options;
}

std::vector<WrittenPayment> Identities(MemoryPayments& payments, PaymentFormat format) {
    return WrittenIdentities(payments, Options(format));
}

// What makes two payments the same payment, format by format: the payee's sort code and account
// number (a template's name instead), the amount and the references, each as written.
TEST(WrittenIdentities, AreThePaymentsAsTheirRecordsShowThem) {
    const struct {
        const char* change;  // to the second of two example payments
        std::function<void(PaymentRecord&)> apply;
        bool same[4];  // standard domestic, domestic template, bulk list, ad hoc bulk
    } rows[] = {
        {"none", [](PaymentRecord&) {}, {true, true, true, true}},
        {"another payee name", [](PaymentRecord& r) { r.PayeeBankAccountName = u"Smith and Sons"; }, {true, true, true, true}},
        {"the sort code written 20 00 00", [](PaymentRecord& r) { r.PayeeBankSortCode = u"20 00 00"; }, {true, true, true, true}},
        {"another payee sort code", [](PaymentRecord& r) { r.PayeeBankSortCode = u"20-00-01"; }, {false, true, false, false}},
        {"another payee account", [](PaymentRecord& r) { r.PayeeBankAccountNumber = u"87654320"; }, {false, true, false, false}},
        {"an amount written alike", [](PaymentRecord& r) { r.Value = 100.004; }, {true, true, true, true}},
        {"another amount", [](PaymentRecord& r) { r.Value = 100.01; }, {false, false, false, false}},
        {"the reference in capitals", [](PaymentRecord& r) { r.PayeeBankBACSReference = u"INV 42"; }, {true, true, true, true}},
        {"another reference", [](PaymentRecord& r) { r.PayeeBankBACSReference = u"inv 43"; }, {false, false, false, false}},
        {"a roll number", [](PaymentRecord& r) { r.PayeeBuildingSocietyRollNumber = u"AB/1"; }, {false, false, false, false}},
        {"another payer", [](PaymentRecord& r) { r.PayerBankAccountNumber = u"12345670"; }, {true, true, true, true}},
        {"other details", [](PaymentRecord& r) { r.Details = u"January"; }, {true, true, true, true}},
        // A transfer is another record; the bulk formats never read the mark.
        {"marked as a transfer", [](PaymentRecord& r) { r.Status = 1; }, {false, false, true, true}},
    };
    for (const auto& row : rows) {
        for (const PaymentFormatInfo& format : kPaymentFormats) {
            std::vector<PaymentRecord> records(2, ExamplePayment());
            row.apply(records[1]);
            MemoryPayments payments(records);
            const std::vector<WrittenPayment> written = Identities(payments, format.format);
            ASSERT_EQ(written.size(), 2u) << row.change << ", " << format.commandLineName;
            EXPECT_EQ(written[0].identity == written[1].identity, row.same[static_cast<int>(format.format)])
                << row.change << ", " << format.commandLineName;
        }
    }
}

TEST(WrittenIdentities, ATemplateRecordIsKnownByItsTemplate) {
    MemoryPayments payments(std::vector<PaymentRecord>(1, ExamplePayment()));
    PaymentOptions options = Options(PaymentFormat::DomesticTemplate);
    const PaymentIdentity rent = WrittenIdentities(payments, options).at(0).identity;
    options.templateName = "RATES";
    EXPECT_FALSE(WrittenIdentities(payments, options).at(0).identity == rent);
}

TEST(WrittenIdentities, CountOnlyThePaymentsAFileWouldHold) {
    const struct {
        const char* what;
        PaymentFormat format;
        std::function<void(std::vector<PaymentRecord>&)> apply;
        std::vector<std::int32_t> indexes;
    } rows[] = {
        {"a bulk header is no payment", PaymentFormat::BulkList, [](auto&) {}, {0, 1, 2}},
        {"nor an ad hoc one", PaymentFormat::AdHocBulk, [](auto&) {}, {0, 1, 2}},
        {"no record follows a failed header", PaymentFormat::BulkList, [](auto& r) { r[0].PayerBankSortCode = u"1"; }, {}},
        {"a payment failing its checks is still written", PaymentFormat::StandardDomestic,
         [](auto& r) { r[1].PayeeBankAccountNumber = u"1"; }, {0, 1, 2}},
    };
    for (const auto& row : rows) {
        std::vector<PaymentRecord> records(3, ExamplePayment());
        row.apply(records);
        MemoryPayments payments(records);
        std::vector<std::int32_t> indexes;
        for (const WrittenPayment& payment : Identities(payments, row.format)) indexes.push_back(payment.index);
        EXPECT_EQ(indexes, row.indexes) << row.what;
    }
}

TEST(WrittenIdentities, StopAtAPaymentThatCannotBeRead) {
    testing_support::ThrowingPayments payments(std::vector<PaymentRecord>(4, ExamplePayment()), 2);
    const std::vector<WrittenPayment> written = WrittenIdentities(payments, Options(PaymentFormat::StandardDomestic));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].index, 1);
}

TEST(WrittenIdentities, LeaveEveryStatusAsItWas) {
    std::vector<PaymentRecord> records(3, ExamplePayment());
    records[0].Status = 1;                        // a transfer mark
    records[1].Status = 23;                       // left from an earlier run
    records[2].PayeeBankAccountNumber = u"123";   // would fail its check
    MemoryPayments payments(records);
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        const std::vector<WrittenPayment> written = Identities(payments, format.format);
        EXPECT_EQ(written.size(), 3u) << format.commandLineName;
        EXPECT_EQ(payments.Records()[0].Status, 1) << format.commandLineName;
        EXPECT_EQ(payments.Records()[1].Status, 23) << format.commandLineName;
        EXPECT_EQ(payments.Records()[2].Status, 0) << format.commandLineName;
    }
}

// ---- the findings

std::vector<WrittenPayment> Written(const std::vector<const char*>& payees) {
    std::vector<WrittenPayment> written;
    for (std::size_t i = 0; i < payees.size(); ++i)
        written.push_back({static_cast<std::int32_t>(i * 2), PaymentIdentity{"01", payees[i], "1.00", "R\n"}});
    return written;
}

std::string Describe(const std::vector<DuplicateFinding>& findings) {
    std::string text;
    for (const DuplicateFinding& f : findings) {
        text += std::to_string(f.payment) + (f.sameAs ? " as " + std::to_string(*f.sameAs) : "") +
                (f.written ? " in " + f.written->file : "") + ";";
    }
    return text;
}

TEST(FindDuplicates, NameTheFirstPaymentOfTheRunWithTheSameIdentity) {
    // The indexes in the collection, not the positions among the payments written.
    EXPECT_EQ(Describe(FindDuplicates(Written({"a", "b", "a", "a", "b", "c"}), {})), "4 as 0;6 as 0;8 as 2;");
    EXPECT_EQ(Describe(FindDuplicates(Written({"a", "b"}), {})), "");
}

TEST(FindDuplicates, AWriteBeforeComesFirstAndOnlyOnce) {
    const std::vector<std::optional<WrittenBefore>> before = {WrittenBefore{"x.txt", 46000}, std::nullopt,
                                                             WrittenBefore{"y.txt", 46001}};
    EXPECT_EQ(Describe(FindDuplicates(Written({"a", "b", "a"}), before)), "0 in x.txt;4 in y.txt;");
}

}  // namespace
