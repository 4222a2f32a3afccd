#include "payments/bulk_list_writers.h"

#include "payments/bulk_payment.h"
#include "payments/layout_line.h"
#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/upload_context.h"

bool WriteBulkListHeader(std::string& out, Payment& first, const UploadContext& context) {
    return WriteBulkHeader(out, first, context, kBulkListHeader);
}

bool WriteBulkListRecord(std::string& out, Payment& payment, const UploadContext& context) {
    StatusKeeper status(payment);
    const BulkPayee payee = ReadCheckedBulkPayee(status, payment, context.accountTables);
    PayeeReferences references = ReadPayeeReferences(payment);

    LayoutLine line(kBulkListRecord);
    SetBulkPayee(line, payee);
    line.Set(FieldContent::BacsReference, std::move(references.bacsReference))
        .Set(FieldContent::RollNumber, std::move(references.rollNumber))
        .AppendTo(out);
    return status.AllPassed();
}
