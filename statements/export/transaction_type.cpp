#include "statements/export/transaction_type.h"

#include "statements/export/short_text.h"

std::string_view OfxTransactionType(std::string_view code, bool debit) {
    for (const auto& type : kBankTransactionTypes) {
        if (!SameShortText(type.code, code)) continue;
        const bool fits = type.applies == BankTransactionType::Both ||
                          (type.applies == BankTransactionType::Debits) == debit;
        if (fits) return type.ofxType;
        break;
    }
    return debit ? "DEBIT" : "CREDIT";
}
