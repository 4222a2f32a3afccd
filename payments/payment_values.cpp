#include "payments/payment_values.h"

#include "common/text_conversion.h"

PayerAccount ReadPayerAccount(const Payment& payment) {
    return {ToDigitsOnly(payment.PayerBankSortCode()), ToSingleByte(payment.PayerBankAccountNumber())};
}

PayeeAccount ReadPayeeAccount(const Payment& payment) {
    return {ToDigitsOnly(payment.PayeeBankSortCode()), ToSingleByte(payment.PayeeBankAccountNumber())};
}

PayeeReferences ReadPayeeReferences(const Payment& payment) {
    return {ToSingleByte(payment.PayeeBuildingSocietyRollNumber()), ToSingleByte(payment.PayeeBankBACSReference())};
}

std::string_view PreferredReference(const PayeeReferences& references) {
    return references.rollNumber.empty() ? references.bacsReference : references.rollNumber;
}
