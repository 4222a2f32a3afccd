// The verifier against the writers, over the writers' fuzz corpus and a generated list: a line whose
// payment passed its checks verifies without an error, unless the writer let a fault through that
// the verifier must then find; a line whose payment failed has an error wherever the file shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "accounts/table_choice.h"
#include "common/text_conversion.h"
#include "payments/amount_text.h"
#include "payments/fuzz/payment_writers_case.h"
#include "payments/payment_file.h"
#include "payments/payment_test_support.h"
#include "payments/status_codes.h"
#include "payments/text_rules.h"
#include "payments/upload_verifier.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::OleDate;

const double kToday = OleDate(2026, 12, 1);
const double kDate = OleDate(2026, 12, 7);  // a Monday

bool HasNonDigit(std::string_view text) { return !std::all_of(text.begin(), text.end(), IsDigit); }

// Whether the file can show the failure that `status` names: a payer sort code is zero-padded or
// cut to six digits, and an account number of fewer than eight characters zero-padded, so
// only a non-digit in its first eight shows; a payee sort code of more than six digits is cut.
bool FileCanShow(std::int32_t status, const PaymentRecord& p, const RecordLayout& layout) {
    const bool payeeWritten = layout.Find(FieldContent::PayeeAccountNumber) != nullptr;
    switch (status) {
        case status::kInvalidAmount:
        case status::kInvalidPayeeName: return true;
        case status::kInvalidPayerAccountNumber: return HasNonDigit(FirstN(ToSingleByte(p.PayerBankAccountNumber), 8));
        case status::kInvalidPayeeSortCode: return payeeWritten && ToDigitsOnly(p.PayeeBankSortCode).size() < 6;
        case status::kInvalidPayeeAccountNumber:
            return payeeWritten && HasNonDigit(FirstN(ToSingleByte(p.PayeeBankAccountNumber), 8));
        case status::kFailsAccountCheck: return payeeWritten;
        default: return false;
    }
}

// The writers' faults: a name made only of characters that cleaning drops is written empty, an
// amount below half a penny as 0.00.
bool WrittenWrong(const PaymentRecord& p, const RecordLayout& layout) {
    const bool nameLost = layout.Find(FieldContent::PayeeName) && Clean(ToSingleByte(p.PayeeBankAccountName)).empty();
    return nameLost || FormatAmount(p.Value) == "0.00";
}

void CheckAgainstStatuses(const std::string& label, std::vector<PaymentRecord> before, PaymentOptions options,
                          const ModulusTables* tables, bool expectNoWarning) {
    if (before.empty()) return;
    static const TempDir dir;
    const std::string path = dir.File("upload.txt");
    MemoryPayments payments(before);
    WritePaymentFile(payments, options, path, tables);
    const VerifyReport report = VerifyUploadFile(ReadFileBytes(path), {options.format, kToday, nullptr, tables});
    std::map<std::size_t, std::string> errors;
    for (const Finding& f : report.findings) {
        if (f.severity == Severity::Error) errors[f.line] += f.text + "; ";
    }
    const PaymentFormatInfo& format = FormatInfo(options.format);
    const std::size_t offset = format.headerLayout ? 2 : 1;
    if (format.headerLayout && report.lines == 1) return;  // a failed header stands alone
    if (format.headerLayout) {
        EXPECT_EQ(errors.count(1), 0u) << label << ", header: " << errors[1];
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        const PaymentRecord& p = payments.Records()[i];
        const bool transfer = format.transferLayout && before[i].Status != 0;
        const RecordLayout& layout = transfer ? *format.transferLayout : *format.paymentLayout;
        const bool found = errors.count(i + offset) > 0;
        const std::string row = label + ", payment " + std::to_string(i) + " status " + std::to_string(p.Status);
        if (p.Status == 0) {
            EXPECT_EQ(found, WrittenWrong(p, layout)) << row << ": " << errors[i + offset];
        }
        if (p.Status != 0 && FileCanShow(p.Status, p, layout)) {
            EXPECT_TRUE(found) << row;
        }
    }
    if (expectNoWarning) {
        EXPECT_EQ(report.Count(Severity::Warning), 0u) << label;
    }
}

TEST(VerifierProperties, OverTheWritersFuzzCorpus) {
    for (const auto& entry : std::filesystem::directory_iterator(VARROW_WRITERS_CORPUS_DIR)) {
        PaymentWritersCase c = MakePaymentWritersCase(ReadFileBytes(entry.path().string()));
        c.options.processingDate = kDate;
        CheckAgainstStatuses(entry.path().filename().string(), c.payments, c.options, nullptr, false);
    }
}

// Values each property takes, the right one first and most often.
template <class T, std::size_t N>
T Pick(std::mt19937& random, const T (&values)[N]) {
    const auto roll = random() % (2 * N);
    return values[roll < N ? 0 : roll - N];
}

std::vector<PaymentRecord> GeneratedList(unsigned seed) {
    std::mt19937 random(seed);
    const std::u16string payerSortCodes[] = {u"12-34-56", u"1234567", u"12345", u""};
    const std::u16string accounts[] = {u"12345678", u"1234567", u"1234 567", u"123456789", u"1234567X", u""};
    const double amounts[] = {100, 0.01, 1234567.891, 0.004, 0, -5, 1e-9};
    const std::u16string payees[] = {u"20-00-00", u"20000", u"2000000", u"", u"08-99-99"};
    const std::u16string names[] = {u"J. Smith & Co", u"", u"***", u"O'Brien, Ltd", u"Harbourside Joinery and Timber Ltd"};
    std::vector<PaymentRecord> list;
    for (int i = 0; i < 400; ++i) {
        PaymentRecord p;
        // Payment 0's payer is the bulk header's, which must pass for the records to follow.
        p.PayerBankSortCode = i == 0 ? payerSortCodes[0] : Pick(random, payerSortCodes);
        p.PayerBankAccountNumber = i == 0 ? accounts[0] : Pick(random, accounts);
        p.Value = Pick(random, amounts);
        p.PayeeBankSortCode = Pick(random, payees);
        // 66374958 passes the bank's check at 08-99-99, 66347958 fails it.
        p.PayeeBankAccountNumber = p.PayeeBankSortCode == u"08-99-99" ? (i % 2 ? u"66374958" : u"66347958") : Pick(random, accounts);
        p.PayeeBankAccountName = Pick(random, names);
        // A reference of its own each: no payment twice, none without a reference.
        const std::string reference = "INV " + std::to_string(i);
        (i % 3 ? p.PayeeBankBACSReference : p.PayeeBuildingSocietyRollNumber) = std::u16string(reference.begin(), reference.end());
        p.Status = random() % 4 == 0;  // an Inter Account Transfer in the domestic formats
        list.push_back(p);
    }
    return list;
}

TEST(VerifierProperties, OverAGeneratedList) {
    const ModulusTables tables = LoadTablesIn(VARROW_MODULUS_DIR).tables;
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        PaymentOptions options;
        options.format = format.format;
        options.processingDate = kDate;
        options.templateName = "Rent-Q1";
        options.beneficiaryReference = "Dec run";
        for (const ModulusTables* checked : {static_cast<const ModulusTables*>(nullptr), &tables}) {
            const std::string label = std::string(format.commandLineName) + (checked ? ", checked" : "");
            CheckAgainstStatuses(label, GeneratedList(7), options, checked, true);
        }
    }
}

}  // namespace
