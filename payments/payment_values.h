#pragma once
#include <string>
#include <string_view>

#include "payments/payment.h"

// The values of a payment that the writers check and write, read from the payment and converted
// to single-byte text (sort codes straight to their digits) before anything looks at them.

struct PayerAccount {
    std::string sortCode;       // digits only
    std::string accountNumber;  // as received
};

struct PayeeAccount {
    std::string sortCode;       // digits only
    std::string accountNumber;  // as received
};

struct PayeeReferences {
    std::string rollNumber;     // PayeeBuildingSocietyRollNumber
    std::string bacsReference;  // PayeeBankBACSReference
};

PayerAccount ReadPayerAccount(const Payment& payment);
PayeeAccount ReadPayeeAccount(const Payment& payment);
PayeeReferences ReadPayeeReferences(const Payment& payment);

// The payee reference of the files: the roll number unless it is empty, else the BACS reference.
std::string_view PreferredReference(const PayeeReferences& references);
