#include "payments/bulk_payment.h"

#include "common/text_conversion.h"
#include "payments/amount_text.h"
#include "payments/text_rules.h"
#include "payments/upload_fields.h"

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

void PutBulkPayee(UploadLine& line, const BulkPayee& payee, std::size_t nameWidth) {
    line.Put(16, "GBP");
    line.Put(17, FormatAmount(payee.amount));
    line.Put(25, PayeeSortCodeField(payee.account));
    line.Put(31, PayeeAccountNumberField(payee.account));
    line.Put(33, CleanFirst(ToSingleByte(payee.name), nameWidth));
}
