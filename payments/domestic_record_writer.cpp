#include "payments/domestic_record_writer.h"

#include "common/text_conversion.h"
#include "payments/amount_text.h"
#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/text_rules.h"
#include "payments/upload_context.h"
#include "payments/upload_fields.h"
#include "payments/upload_line.h"

namespace {

constexpr std::size_t kPayeeNameWidth = 18;
constexpr std::size_t kReferenceWidth = 18;
constexpr std::size_t kIatReferenceWidth = 16;

}  // namespace

bool WriteDomesticRecord(std::string& out, Payment& payment, const UploadContext& context) {
    const bool isTemplate = context.format == PaymentFormat::DomesticTemplate;
    const bool isTransfer = payment.Status() != 0;
    const bool carriesPayeeName = !isTransfer && !isTemplate;

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

    UploadLine line(out, kShortLineFields);
    line.Put(4, isTransfer ? "03" : "01");
    if (isTemplate) line.Put(6, context.templateName);
    line.Put(13, PayerAccountField(payer));
    if (isTemplate || isTransfer) line.Put(16, "GBP");
    line.Put(17, FormatAmount(amount));
    line.Put(19, context.date);
    if (!isTemplate) {
        line.Put(25, PayeeSortCodeField(payee));
        line.Put(31, PayeeAccountNumberField(payee));
    }
    if (carriesPayeeName) line.Put(33, CleanFirst(ToSingleByte(payeeName), kPayeeNameWidth));
    if (isTransfer) {
        line.Put(40, CleanFirst(PreferredReference(references), kIatReferenceWidth));
    } else {
        line.Put(37, CleanFirst(PreferredReference(references), kReferenceWidth));
    }
    line.Finish();
    return status.AllPassed();
}
