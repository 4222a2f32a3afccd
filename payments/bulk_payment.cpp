#include "payments/bulk_payment.h"

#include "common/text_conversion.h"
#include "payments/amount_text.h"
#include "payments/upload_fields.h"

bool WriteBulkHeader(std::string& out, Payment& first, const UploadContext& context, const RecordLayout& layout) {
    StatusKeeper status(first);
    const PayerAccount payer = ReadPayerAccount(first);
    CheckPayerAccount(status, payer);

    // Each layout takes what it has of these: the template name, or the output file's name.
    LayoutLine(layout)
        .Set(FieldContent::TemplateName, context.templateName)
        .Set(FieldContent::FileName, context.fileName)
        .Set(FieldContent::PayerAccount, PayerAccountField(payer))
        .Set(FieldContent::ProcessingDate, context.date)
        .Set(FieldContent::BeneficiaryReference, context.beneficiaryReference)
        .AppendTo(out);
    return status.AllPassed();
}

BulkPayee ReadCheckedBulkPayee(StatusKeeper& status, const Payment& payment, const ModulusTables* accountTables) {
    BulkPayee payee;
    payee.amount = payment.Value();
    CheckAmount(status, payee.amount);
    payee.account = ReadPayeeAccount(payment);
    CheckPayeeAccount(status, payee.account);
    payee.name = payment.PayeeBankAccountName();
    CheckPayeeName(status, payee.name);
    CheckPayeeWithBank(status, accountTables, payee.account);
    return payee;
}

void SetBulkPayee(LayoutLine& line, const BulkPayee& payee) {
    line.Set(FieldContent::Amount, FormatAmount(payee.amount))
        .Set(FieldContent::PayeeSortCode, PayeeSortCodeField(payee.account))
        .Set(FieldContent::PayeeAccountNumber, PayeeAccountNumberField(payee.account))
        .Set(FieldContent::PayeeName, ToSingleByte(payee.name));
}
