#pragma once
#include <string>

#include "payments/payment_values.h"

// Field values that several record kinds share.

// Payer sort code (first 6, zero-pad 6) immediately followed by the payer account number
// (first 8, zero-pad 8): 14 characters without a separator.
std::string PayerAccountField(const PayerAccount& payer);

// Payee sort code: first 6, space-pad 6 (five digits are written with one trailing space).
std::string PayeeSortCodeField(const PayeeAccount& payee);

// Payee account number: first 8, zero-pad 8 (seven characters are written with one leading 0).
std::string PayeeAccountNumberField(const PayeeAccount& payee);
