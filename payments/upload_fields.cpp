#include "payments/upload_fields.h"

#include "payments/record_layouts.h"
#include "payments/text_rules.h"

namespace {
constexpr std::size_t kSortCodeWidth = field_width::kSortCode;
constexpr std::size_t kAccountNumberWidth = field_width::kAccountNumber;
}  // namespace

std::string PayerAccountField(const PayerAccount& payer) {
    return ZeroPad(FirstN(payer.sortCode, kSortCodeWidth), kSortCodeWidth) +
           ZeroPad(FirstN(payer.accountNumber, kAccountNumberWidth), kAccountNumberWidth);
}

std::string PayeeSortCodeField(const PayeeAccount& payee) {
    return SpacePad(FirstN(payee.sortCode, kSortCodeWidth), kSortCodeWidth);
}

std::string PayeeAccountNumberField(const PayeeAccount& payee) {
    return ZeroPad(FirstN(payee.accountNumber, kAccountNumberWidth), kAccountNumberWidth);
}
