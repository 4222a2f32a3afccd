#include "payments/ad_hoc_bulk_writers.h"

#include "common/text_conversion.h"
#include "payments/bulk_payment.h"
#include "payments/layout_line.h"
#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/text_rules.h"
#include "payments/upload_context.h"

namespace {

// The first that is not empty: roll number, BACS reference, else the payer's sort code and
// account number reduced to their digits, without zero fill.
std::string PaymentReference(const Payment& payment) {
    const PayeeReferences references = ReadPayeeReferences(payment);
    if (const std::string_view preferred = PreferredReference(references); !preferred.empty()) {
        return std::string(preferred);
    }
    const std::string sortCode = ToDigitsOnly(payment.PayerBankSortCode());
    const std::string account = ToDigitsOnly(payment.PayerBankAccountNumber());
    return std::string(FirstN(sortCode, field_width::kSortCode)) +
           std::string(FirstN(account, field_width::kAccountNumber));
}

}  // namespace

bool WriteAdHocBulkHeader(std::string& out, Payment& first, const UploadContext& context) {
    return WriteBulkHeader(out, first, context, kAdHocBulkHeader);
}

bool WriteAdHocBulkRecord(std::string& out, Payment& payment, const UploadContext& context) {
    StatusKeeper status(payment);
    const BulkPayee payee = ReadCheckedBulkPayee(status, payment, context.accountTables);

    LayoutLine line(kAdHocBulkRecord);
    SetBulkPayee(line, payee);
    line.Set(FieldContent::PayeeReference, PaymentReference(payment)).AppendTo(out);
    return status.AllPassed();
}
