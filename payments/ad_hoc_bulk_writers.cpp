#include "payments/ad_hoc_bulk_writers.h"

#include "common/text_conversion.h"
#include "payments/bulk_payment.h"
#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/text_rules.h"
#include "payments/upload_context.h"
#include "payments/upload_fields.h"
#include "payments/upload_line.h"

namespace {

constexpr std::size_t kPayeeNameWidth = 35;
constexpr std::size_t kReferenceWidth = 18;
constexpr std::size_t kSortCodeWidth = 6;
constexpr std::size_t kAccountNumberWidth = 8;

// The first that is not empty: roll number, BACS reference, else the payer's sort code and
// account number reduced to their digits, without zero fill.
std::string PaymentReference(const Payment& payment) {
    const PayeeReferences references = ReadPayeeReferences(payment);
    if (const std::string_view preferred = PreferredReference(references); !preferred.empty()) {
        return std::string(preferred);
    }
    const std::string sortCode = ToDigitsOnly(payment.PayerBankSortCode());
    const std::string account = ToDigitsOnly(payment.PayerBankAccountNumber());
    return std::string(FirstN(sortCode, kSortCodeWidth)) + std::string(FirstN(account, kAccountNumberWidth));
}

}  // namespace

bool WriteAdHocBulkHeader(std::string& out, Payment& first, const UploadContext& context) {
    StatusKeeper status(first);
    const PayerAccount payer = ReadPayerAccount(first);
    CheckPayerAccount(status, payer);

    UploadLine line(out, kLongLineFields);
    line.Put(4, "08");
    line.Put(9, context.fileName);
    line.Put(13, PayerAccountField(payer));
    line.Put(19, context.date);
    line.Put(37, context.beneficiaryReference);
    line.Finish();
    return status.AllPassed();
}

bool WriteAdHocBulkRecord(std::string& out, Payment& payment, const UploadContext& context) {
    StatusKeeper status(payment);
    const BulkPayee payee = ReadCheckedBulkPayee(status, payment, context.accountTables);

    UploadLine line(out, kLongLineFields);
    line.Put(4, "09");
    PutBulkPayee(line, payee, kPayeeNameWidth);
    line.Put(37, CleanFirst(PaymentReference(payment), kReferenceWidth));
    line.Finish();
    return status.AllPassed();
}
