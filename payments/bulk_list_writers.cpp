#include "payments/bulk_list_writers.h"

#include "common/text_conversion.h"
#include "payments/bulk_payment.h"
#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/text_rules.h"
#include "payments/upload_context.h"
#include "payments/upload_fields.h"
#include "payments/upload_line.h"

namespace {

constexpr std::size_t kBacsReferenceWidth = 25;
constexpr std::size_t kPayeeNameWidth = 18;
constexpr std::size_t kRollNumberWidth = 18;

}  // namespace

bool WriteBulkListHeader(std::string& out, Payment& first, const UploadContext& context) {
    StatusKeeper status(first);
    const PayerAccount payer = ReadPayerAccount(first);
    CheckPayerAccount(status, payer);

    UploadLine line(out, kShortLineFields);
    line.Put(4, "06");
    line.Put(6, context.templateName);
    line.Put(13, PayerAccountField(payer));
    line.Put(19, context.date);
    line.Put(37, context.beneficiaryReference);
    line.Put(74, "C");
    line.Finish();
    return status.AllPassed();
}

bool WriteBulkListRecord(std::string& out, Payment& payment, const UploadContext& context) {
    StatusKeeper status(payment);
    const BulkPayee payee = ReadCheckedBulkPayee(status, payment, context.accountTables);
    const PayeeReferences references = ReadPayeeReferences(payment);

    UploadLine line(out, kShortLineFields);
    line.Put(4, "07");
    line.Put(8, CleanFirst(references.bacsReference, kBacsReferenceWidth));
    PutBulkPayee(line, payee, kPayeeNameWidth);
    line.Put(37, CleanFirst(references.rollNumber, kRollNumberWidth));
    line.Finish();
    return status.AllPassed();
}
