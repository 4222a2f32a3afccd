#pragma once
#include <string_view>

#include "statements/statement_import.h"

// The bank's transaction type codes (the Type column) that say what kind of transaction a line
// is, and what that kind is called in OFX (TRNTYPE). A code that is not here, or one whose kind
// does not fit the line's direction (a fee paid back is a credit), is DEBIT or CREDIT by
// direction. Codes compare exactly, as the import compares its cheque code.
struct BankTransactionType {
    enum Applies { Debits, Credits, Both };

    std::string_view code;     // the Type column
    std::string_view meaning;  // in words, for the docs and the tests
    std::string_view ofxType;  // one of OFX's own TRNTYPE values
    Applies applies;
};

inline constexpr BankTransactionType kBankTransactionTypes[] = {
    {kChequeType, "cheque", "CHECK", BankTransactionType::Both},
    {"DD", "direct debit", "DIRECTDEBIT", BankTransactionType::Debits},
    {"DDR", "direct debit", "DIRECTDEBIT", BankTransactionType::Debits},
    {"SO", "standing order", "REPEATPMT", BankTransactionType::Both},
    {"STO", "standing order", "REPEATPMT", BankTransactionType::Both},
    {"BGC", "bank giro credit", "CREDIT", BankTransactionType::Credits},
    {"CR", "credit", "CREDIT", BankTransactionType::Credits},
    {"DEP", "deposit", "DEP", BankTransactionType::Credits},
    {"POS", "card payment", "POS", BankTransactionType::Both},
    {"DEB", "debit card payment", "POS", BankTransactionType::Both},
    {"CPT", "cash machine", "ATM", BankTransactionType::Both},
    {"ATM", "cash machine", "ATM", BankTransactionType::Both},
    {"CSH", "cash", "CASH", BankTransactionType::Both},
    {"CHG", "charges", "FEE", BankTransactionType::Debits},
    {"FEE", "fee", "FEE", BankTransactionType::Debits},
    {"INT", "interest", "INT", BankTransactionType::Both},
};

// TRNTYPE of a line with the bank's `code` in the given direction.
std::string_view OfxTransactionType(std::string_view code, bool debit);
