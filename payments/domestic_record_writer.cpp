#include "payments/domestic_record_writer.h"

#include "common/text_conversion.h"
#include "payments/amount_text.h"
#include "payments/layout_line.h"
#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/payment_format.h"
#include "payments/upload_context.h"
#include "payments/upload_fields.h"

bool WriteDomesticRecord(std::string& out, Payment& payment, const UploadContext& context) {
    const bool isTransfer = payment.Status() != 0;
    const PaymentFormatInfo& format = FormatInfo(context.format);
    LayoutLine line(isTransfer ? *format.transferLayout : *format.paymentLayout);
    // The name is checked only where the line carries it: not for a transfer, nor in a template.
    const bool carriesPayeeName = line.Carries(FieldContent::PayeeName);

    StatusKeeper status(payment);
    const PayerAccount payer = ReadPayerAccount(payment);
    CheckPayerAccount(status, payer);
    const double amount = payment.Value();
    CheckAmount(status, amount);
    // Checked in DomesticTemplate too, although its lines do not carry the payee account.
    const PayeeAccount payee = ReadPayeeAccount(payment);
    CheckPayeeAccount(status, payee);
    std::u16string payeeName;
    if (carriesPayeeName) {
        payeeName = payment.PayeeBankAccountName();
        CheckPayeeName(status, payeeName);
    }
    CheckPayeeWithBank(status, context.accountTables, payee);
    const PayeeReferences references = ReadPayeeReferences(payment);

    line.Set(FieldContent::TemplateName, context.templateName)
        .Set(FieldContent::PayerAccount, PayerAccountField(payer))
        .Set(FieldContent::Amount, FormatAmount(amount))
        .Set(FieldContent::ProcessingDate, context.date)
        .Set(FieldContent::PayeeSortCode, PayeeSortCodeField(payee))
        .Set(FieldContent::PayeeAccountNumber, PayeeAccountNumberField(payee))
        .Set(FieldContent::PayeeName, ToSingleByte(payeeName))
        .Set(FieldContent::PayeeReference, std::string(PreferredReference(references)))
        .AppendTo(out);
    return status.AllPassed();
}
