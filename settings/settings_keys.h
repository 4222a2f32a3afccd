#pragma once
#include <optional>
#include <string>

#include "common/cstring.h"

// What the host told about the bank account a payment run is for. `accountObtained` is false when
// there was no service filter or it gave no account; each text is missing when its call failed.
struct AccountForKeys {
    bool accountObtained = false;
    std::optional<std::u16string> sortCode;
    std::optional<std::u16string> accountNumber;
};

// The digits of the sort code, "_", then the account number: "123456_87654321". Empty when no
// account was obtained.
CString AccountKeySuffix(const AccountForKeys& account);

CString TemplateKey(const CString& suffix);               // "VarrowQuidlaneTemplate" + suffix
CString BeneficiaryReferenceKey(const CString& suffix);   // "VarrowQuidlaneBenRef" + suffix
