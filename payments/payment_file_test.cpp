// The write phase of a payment run on real files: result codes, which statuses change, the
// header failure, failed fetches, an empty bulk collection, and files that cannot be written.
#include "payments/payment_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>

#include "accounts/table_choice.h"
#include "payments/payment_test_support.h"
#include "payments/status_codes.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ExamplePayment;
using testing_support::ExpectedLine;
using testing_support::SplitFields;
using testing_support::SplitLines;
using testing_support::ThrowingPayments;
using Failure = PaymentFileOutcome::Failure;

const char* Describe(Failure failure) {
    switch (failure) {
        case Failure::None: return "None";
        case Failure::OpenFailed: return "OpenFailed";
        case Failure::FetchFailed: return "FetchFailed";
        case Failure::WriteFailed: return "WriteFailed";
    }
    return "?";
}

// The bulk formats start with a header record.
bool IsBulkFormat(PaymentFormat format) { return format == PaymentFormat::BulkList || format == PaymentFormat::AdHocBulk; }

PaymentOptions Options(PaymentFormat format) {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7) + 0.5;
    options.format = format;
    if (format == PaymentFormat::DomesticTemplate || format == PaymentFormat::BulkList) options.templateName = "Rent-Q1";
    if (IsBulkFormat(format)) options.beneficiaryReference = "Dec run";
    return options;
}

std::vector<PaymentRecord> Examples(std::size_t count) {
    std::vector<PaymentRecord> records(count, ExamplePayment());
    for (std::size_t i = 0; i < count; ++i) records[i].Value = 10.0 * static_cast<double>(i + 1);
    return records;
}

// A collection whose payment at one index cannot be fetched, as a failing host collection.
class FailingPayments : public Payments {
public:
    FailingPayments(std::vector<PaymentRecord> records, std::int32_t failingIndex)
        : payments_(std::move(records)), failingIndex_(failingIndex) {}
    std::int32_t Count() const override { return payments_.Count(); }
    std::unique_ptr<Payment> Item(std::int32_t index) override {
        return index == failingIndex_ ? nullptr : payments_.Item(index);
    }
    const std::vector<PaymentRecord>& Records() const { return payments_.Records(); }

private:
    MemoryPayments payments_;
    std::int32_t failingIndex_;
};

// A collection that claims payments it cannot hand out.
class PhantomPayments : public Payments {
public:
    explicit PhantomPayments(std::int32_t count) : count_(count) {}
    std::int32_t Count() const override { return count_; }
    std::unique_ptr<Payment> Item(std::int32_t) override { return nullptr; }

private:
    std::int32_t count_;
};

// A collection that says it is empty but hands out a payment all the same.
class EmptyButGenerousPayments : public Payments {
public:
    std::int32_t Count() const override { return 0; }
    std::unique_ptr<Payment> Item(std::int32_t) override { return MakeRecordPayment(record_); }
    PaymentRecord record_ = ExamplePayment();
};

// A collection whose payment at one index fails as soon as it is read, as a broken host object.
void ExpectOutcome(const PaymentFileOutcome& actual, std::int32_t resultCode, std::int32_t returnValue, Failure failure,
                   const std::string& what) {
    EXPECT_EQ(actual.resultCode, resultCode) << what;
    EXPECT_EQ(actual.returnValue, returnValue) << what;
    EXPECT_EQ(actual.failure, failure) << what << ": failure " << Describe(actual.failure);
}

TEST(PaymentFile, EachFormatWritesItsLinesByteForByte) {
    const std::map<int, std::string> domestic = {{13, "12345612345678"}, {19, "07122026"}, {37, "INV 42"}};
    struct Case {
        PaymentFormat format;
        std::string expected;
    };
    auto with = [](std::map<int, std::string> fields, std::map<int, std::string> more) {
        for (auto& [k, v] : more) fields[k] = v;
        return fields;
    };
    const Case cases[] = {
        {PaymentFormat::StandardDomestic,
         ExpectedLine(80, with(domestic, {{4, "01"}, {17, "10.00"}, {25, "200000"}, {31, "87654321"}, {33, "J. SMITH & CO"}})) +
             ExpectedLine(80, with(domestic, {{4, "01"}, {17, "20.00"}, {25, "200000"}, {31, "87654321"}, {33, "J. SMITH & CO"}}))},
        {PaymentFormat::DomesticTemplate,
         ExpectedLine(80, with(domestic, {{4, "01"}, {6, "RENT-Q1"}, {16, "GBP"}, {17, "10.00"}})) +
             ExpectedLine(80, with(domestic, {{4, "01"}, {6, "RENT-Q1"}, {16, "GBP"}, {17, "20.00"}}))},
        {PaymentFormat::BulkList,
         ExpectedLine(80, {{4, "06"}, {6, "RENT-Q1"}, {13, "12345612345678"}, {19, "07122026"}, {37, "DEC RUN"}, {74, "C"}}) +
             ExpectedLine(80, {{4, "07"}, {8, "INV 42"}, {16, "GBP"}, {17, "10.00"}, {25, "200000"}, {31, "87654321"},
                               {33, "J. SMITH & CO"}}) +
             ExpectedLine(80, {{4, "07"}, {8, "INV 42"}, {16, "GBP"}, {17, "20.00"}, {25, "200000"}, {31, "87654321"},
                               {33, "J. SMITH & CO"}})},
        {PaymentFormat::AdHocBulk,
         ExpectedLine(85, {{4, "08"}, {9, "PAY.CSV"}, {13, "12345612345678"}, {19, "07122026"}, {37, "DEC RUN"}}) +
             ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "10.00"}, {25, "200000"}, {31, "87654321"},
                               {33, "J. SMITH & CO"}, {37, "INV 42"}}) +
             ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "20.00"}, {25, "200000"}, {31, "87654321"},
                               {33, "J. SMITH & CO"}, {37, "INV 42"}})},
    };
    for (const auto& c : cases) {
        TempDir dir;
        MemoryPayments payments(Examples(2));
        const auto outcome = WritePaymentFile(payments, Options(c.format), dir.File("pay.csv"));
        const std::string what = "format " + std::to_string(static_cast<int>(c.format));
        ExpectOutcome(outcome, 0, 0, Failure::None, what);
        EXPECT_EQ(dir.Read("pay.csv"), c.expected) << what;
        for (const auto& record : payments.Records()) EXPECT_EQ(record.Status, 0) << what;
    }
}

TEST(PaymentFile, IatMarksComeFromStatus) {
    TempDir dir;
    auto records = Examples(3);
    records[1].Status = 1;
    records[2].Status = 23;  // left over from an earlier run: still a mark
    MemoryPayments payments(records);
    const auto outcome = WritePaymentFile(payments, Options(PaymentFormat::StandardDomestic), dir.File("pay.csv"));
    ExpectOutcome(outcome, 0, 0, Failure::None, "IATs");
    const auto lines = SplitLines(dir.Read("pay.csv"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(SplitFields(lines[0])[3], "01");
    EXPECT_EQ(SplitFields(lines[1])[3], "03");
    EXPECT_EQ(SplitFields(lines[2])[3], "03");
    for (const auto& record : payments.Records()) EXPECT_EQ(record.Status, 0);
}

TEST(PaymentFile, AFailedRecordDoesNotStopTheRun) {
    for (const auto format : {PaymentFormat::StandardDomestic, PaymentFormat::DomesticTemplate, PaymentFormat::BulkList,
                              PaymentFormat::AdHocBulk}) {
        TempDir dir;
        auto records = Examples(10);
        records[4].PayeeBankAccountNumber = u"1234";
        MemoryPayments payments(records);
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        const std::string what = "format " + std::to_string(static_cast<int>(format));
        ExpectOutcome(outcome, 1, 1, Failure::None, what);
        EXPECT_EQ(SplitLines(dir.Read("pay.csv")).size(), IsBulkFormat(format) ? 11u : 10u) << what;
        for (std::size_t i = 0; i < 10; ++i) {
            EXPECT_EQ(payments.Records()[i].Status, i == 4 ? status::kInvalidPayeeAccountNumber : 0) << what << ", payment " << i;
        }
    }
}

// Payees of the published check's cases: valid, invalid, a sort code without rows, and an invalid
// one that fails an earlier check of its own record too.
std::vector<PaymentRecord> AccountCheckPayees() {
    std::vector<PaymentRecord> records = Examples(4);
    const char16_t* accounts[][2] = {{u"08-99-99", u"66374958"}, {u"08-99-99", u"66374959"},
                                     {u"99-99-99", u"12345678"}, {u"08-99-99", u"66374959"}};
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].PayeeBankSortCode = accounts[i][0];
        records[i].PayeeBankAccountNumber = accounts[i][1];
    }
    records[3].Value = -5;
    return records;
}

TEST(PaymentFile, TheAccountCheckMarksOnlyPayeesThatPassedEverythingElse) {
    const ModulusTables tables = LoadTablesIn(VARROW_MODULUS_DIR).tables;
    for (const auto format : {PaymentFormat::StandardDomestic, PaymentFormat::DomesticTemplate, PaymentFormat::BulkList,
                              PaymentFormat::AdHocBulk}) {
        for (const ModulusTables* checked : {&tables, static_cast<const ModulusTables*>(nullptr)}) {
            const std::string what = "format " + std::to_string(static_cast<int>(format)) + (checked ? ", checked" : ", unchecked");
            TempDir dir;
            MemoryPayments payments(AccountCheckPayees());
            ExpectOutcome(WritePaymentFile(payments, Options(format), dir.File("pay.csv"), checked), 1, 1, Failure::None, what);
            EXPECT_EQ(SplitLines(dir.Read("pay.csv")).size(), IsBulkFormat(format) ? 5u : 4u) << what;
            const std::int32_t expected[] = {0, checked ? status::kFailsAccountCheck : 0, 0, status::kInvalidAmount};
            for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(payments.Records()[i].Status, expected[i]) << what << ", payment " << i;
        }
    }
}

TEST(PaymentFile, AFailedHeaderLeavesOnlyTheHeader) {
    for (const auto format : {PaymentFormat::BulkList, PaymentFormat::AdHocBulk}) {
        TempDir dir;
        auto records = Examples(4);
        records[0].PayerBankSortCode = u"12-34-5";
        records[0].PayeeBankAccountNumber = u"";  // the record would have found this: it is never validated
        records[1].Status = 1;
        records[2].Status = 29;
        records[3].Value = -1;  // would fail, but is never validated
        MemoryPayments payments(records);
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        const std::string what = "format " + std::to_string(static_cast<int>(format));
        ExpectOutcome(outcome, 1, 1, Failure::None, what);
        const auto lines = SplitLines(dir.Read("pay.csv"));
        ASSERT_EQ(lines.size(), 1u) << what;
        EXPECT_EQ(SplitFields(lines[0])[3], format == PaymentFormat::BulkList ? "06" : "08") << what;
        EXPECT_EQ(payments.Records()[0].Status, status::kInvalidPayerSortCode) << what;
        EXPECT_EQ(payments.Records()[1].Status, 1) << what;
        EXPECT_EQ(payments.Records()[2].Status, 29) << what;
        EXPECT_EQ(payments.Records()[3].Status, 0) << what;
    }
}

TEST(PaymentFile, APassedHeaderLeavesTheFirstRecordToDecide) {
    for (const auto format : {PaymentFormat::BulkList, PaymentFormat::AdHocBulk}) {
        TempDir dir;
        auto records = Examples(2);
        records[0].PayeeBankSortCode = u"1";
        MemoryPayments payments(records);
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        const std::string what = "format " + std::to_string(static_cast<int>(format));
        ExpectOutcome(outcome, 1, 1, Failure::None, what);
        EXPECT_EQ(SplitLines(dir.Read("pay.csv")).size(), 3u) << what;
        EXPECT_EQ(payments.Records()[0].Status, status::kInvalidPayeeSortCode) << what;
    }
}

TEST(PaymentFile, AnEmptyBulkCollectionInventsNoHeader) {
    for (const auto format : {PaymentFormat::BulkList, PaymentFormat::AdHocBulk}) {
        TempDir dir;
        MemoryPayments payments;
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        ExpectOutcome(outcome, 2, 0, Failure::FetchFailed, "format " + std::to_string(static_cast<int>(format)));
        EXPECT_EQ(dir.Read("pay.csv"), "");
    }
}

TEST(PaymentFile, ACollectionThatCountsNoPaymentGetsNoHeader) {
    for (const auto format : {PaymentFormat::BulkList, PaymentFormat::AdHocBulk}) {
        TempDir dir;
        EmptyButGenerousPayments payments;
        payments.record_.Status = 1;
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        ExpectOutcome(outcome, 2, 0, Failure::FetchFailed, "format " + std::to_string(static_cast<int>(format)));
        EXPECT_EQ(dir.Read("pay.csv"), "");
        EXPECT_EQ(payments.record_.Status, 1);
    }
}

TEST(PaymentFile, AnEmptyDomesticCollectionWritesAnEmptyFile) {
    for (const auto format : {PaymentFormat::StandardDomestic, PaymentFormat::DomesticTemplate}) {
        TempDir dir;
        MemoryPayments payments;
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        ExpectOutcome(outcome, 0, 0, Failure::None, "format " + std::to_string(static_cast<int>(format)));
        EXPECT_EQ(dir.Read("pay.csv"), "");
    }
}

TEST(PaymentFile, AFirstPaymentThatCannotBeFetchedWritesNothing) {
    for (const auto format : {PaymentFormat::BulkList, PaymentFormat::AdHocBulk}) {
        TempDir dir;
        PhantomPayments payments(3);
        const auto outcome = WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        ExpectOutcome(outcome, 2, 0, Failure::FetchFailed, "format " + std::to_string(static_cast<int>(format)));
        EXPECT_EQ(dir.Read("pay.csv"), "");
    }
}

TEST(PaymentFile, AFailedFetchEndsTheLoopKeepingTheLinesWritten) {
    struct Case {
        PaymentFormat format;
        bool earlierFailure;
    };
    const Case cases[] = {
        {PaymentFormat::StandardDomestic, false}, {PaymentFormat::StandardDomestic, true},
        {PaymentFormat::BulkList, false},         {PaymentFormat::AdHocBulk, true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto records = Examples(5);
        if (c.earlierFailure) records[1].Value = 0;
        for (std::size_t i = 3; i < 5; ++i) records[i].Status = 7;
        FailingPayments payments(records, 3);
        const auto outcome = WritePaymentFile(payments, Options(c.format), dir.File("pay.csv"));
        const std::string what =
            "format " + std::to_string(static_cast<int>(c.format)) + (c.earlierFailure ? " after a failed check" : "");
        // Result code 2 leaves the return value as it was.
        ExpectOutcome(outcome, 2, c.earlierFailure ? 1 : 0, Failure::FetchFailed, what);
        EXPECT_EQ(SplitLines(dir.Read("pay.csv")).size(), IsBulkFormat(c.format) ? 4u : 3u) << what;
        EXPECT_EQ(payments.Records()[3].Status, 7) << what;
        EXPECT_EQ(payments.Records()[4].Status, 7) << what;
    }
}

TEST(PaymentFile, AFailingPaymentEndsTheRunWithAnErrorAfterTheLinesBeforeIt) {
    TempDir dir;
    ThrowingPayments payments(Examples(5), 2);
    EXPECT_THROW(WritePaymentFile(payments, Options(PaymentFormat::StandardDomestic), dir.File("pay.csv")),
                 std::runtime_error);
    EXPECT_EQ(SplitLines(dir.Read("pay.csv")).size(), 2u);
}

TEST(PaymentFile, AFileThatCannotBeOpenedChangesNoStatus) {
    TempDir dir;
    auto records = Examples(2);
    records[0].Status = 1;
    MemoryPayments payments(records);
    const auto outcome =
        WritePaymentFile(payments, Options(PaymentFormat::StandardDomestic), dir.File("missing-folder/pay.csv"));
    ExpectOutcome(outcome, 2, 0, Failure::OpenFailed, "missing folder");
    EXPECT_EQ(payments.Records()[0].Status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing-folder"));
}

TEST(PaymentFile, AnExistingFileIsReplaced) {
    TempDir dir;
    dir.Write("pay.csv", std::string(100000, 'x'));
    MemoryPayments payments(Examples(1));
    WritePaymentFile(payments, Options(PaymentFormat::StandardDomestic), dir.File("pay.csv"));
    EXPECT_EQ(SplitLines(dir.Read("pay.csv")).size(), 1u);
}

TEST(PaymentFile, AFullDiskIsNoSuccess) {
#ifdef _WIN32
    GTEST_SKIP() << "no /dev/full on Windows";
#else
    ASSERT_TRUE(std::filesystem::exists("/dev/full"));
    struct Case {
        std::size_t payments;  // few: the failure shows at the close; many: at a write
        bool failedCheck;
        PaymentFormat format;
    };
    const Case cases[] = {
        {1, false, PaymentFormat::StandardDomestic}, {4000, false, PaymentFormat::StandardDomestic},
        {3, true, PaymentFormat::StandardDomestic},  {4000, true, PaymentFormat::AdHocBulk},
        {1, false, PaymentFormat::BulkList},
    };
    for (const auto& c : cases) {
        auto records = Examples(c.payments);
        if (c.failedCheck) records[0].PayeeBankAccountName.clear();
        MemoryPayments payments(records);
        const auto outcome = WritePaymentFile(payments, Options(c.format), "/dev/full");
        ExpectOutcome(outcome, 2, c.failedCheck ? 1 : 0, Failure::WriteFailed,
                      std::to_string(c.payments) + " payments to /dev/full");
    }
#endif
}

// Whatever the payments hold, every line keeps its shape: one line per record, 80 or 85 fields.
TEST(PaymentFile, EveryLineKeepsItsShapeWhateverTheInput) {
    std::mt19937 random(20261207);
    const std::u16string alphabet = u"0123456789,\"\r\n\t' -/&.aZ\u00E9\u00FF\u0100\u20AC";
    auto text = [&](std::size_t maxLength) {
        std::u16string result(random() % (maxLength + 1), u' ');
        for (auto& unit : result) unit = alphabet[random() % alphabet.size()];
        if (random() % 8 == 0 && !result.empty()) result[random() % result.size()] = u'\0';
        return result;
    };
    std::vector<PaymentRecord> records(300);
    for (auto& r : records) {
        r.Value = static_cast<double>(static_cast<int>(random() % 2000000) - 1000000) / 7.0;
        r.PayerBankSortCode = text(10);
        r.PayerBankAccountNumber = text(12);
        r.PayeeBankSortCode = text(10);
        r.PayeeBankAccountNumber = text(12);
        r.PayeeBankAccountName = text(40);
        r.PayeeBankBACSReference = text(30);
        r.PayeeBuildingSocietyRollNumber = random() % 2 ? text(20) : u"";
        r.Status = static_cast<std::int32_t>(random() % 2);
    }
    records[0].PayerBankSortCode = u"123456";  // the bulk headers must pass for the records to follow
    records[0].PayerBankAccountNumber = u"12345678";
    for (const auto format : {PaymentFormat::StandardDomestic, PaymentFormat::DomesticTemplate, PaymentFormat::BulkList,
                              PaymentFormat::AdHocBulk}) {
        TempDir dir;
        MemoryPayments payments(records);
        WritePaymentFile(payments, Options(format), dir.File("pay.csv"));
        const std::string bytes = dir.Read("pay.csv");
        const auto lines = SplitLines(bytes);
        const std::string what = "format " + std::to_string(static_cast<int>(format));
        ASSERT_EQ(lines.size(), records.size() + (IsBulkFormat(format) ? 1 : 0)) << what;
        const std::size_t fieldCount = format == PaymentFormat::AdHocBulk ? 85 : 80;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].find_first_of(std::string("\r\n\"\0", 4)), std::string::npos) << what << ", line " << i;
            EXPECT_EQ(SplitFields(lines[i]).size(), fieldCount) << what << ", line " << i << ": " << lines[i];
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << what;
        // A run sets no other codes than these.
        for (std::size_t i = 0; i < records.size(); ++i) {
            const std::int32_t code = payments.Records()[i].Status;
            EXPECT_TRUE(code == 0 || code == 21 || code == 23 || code == 24 || code == 28 || code == 29 || code == 30)
                << what << ", payment " << i << " has status " << code;
        }
    }
}

}  // namespace
