#pragma once
// The component's four classes as the tests see them from outside.
#include <windows.h>

#include "host/generated_interfaces.h"

namespace com_test {

struct ComponentClassInfo {
    const char* name;
    const CLSID* clsid;
    const wchar_t* progId;  // version independent; the versioned one adds ".1"
    const wchar_t* description;
    const IID* ownInterface;
    const IID* hostInterface;
};

inline constexpr ComponentClassInfo kComponentClasses[] = {
    {"Bank", &CLSID_Bank, L"TeskVarrowInternetBanking.Bank", L"Bank Class", &IID_IBank, &IID_ITeskBank},
    {"BankServices", &CLSID_BankServices, L"TeskVarrowInternetBanking.BankServices", L"BankServices Class",
     &IID_IBankServices, &IID_ITeskBankServices},
    {"BankPaymentService", &CLSID_BankPaymentService, L"TeskVarrowInternetBanking.BankPaymentService",
     L"BankPaymentService Class", &IID_IBankPaymentService, &IID_ITeskBankPaymentService},
    {"BankStatementService", &CLSID_BankStatementService, L"TeskVarrowInternetBanking.BankStatementService",
     L"BankStatementService Class", &IID_IBankStatementService, &IID_ITeskBankStatementService},
};

inline constexpr wchar_t kLibraryIdText[] = L"{C29E5756-911F-408D-AE20-346E7D10DF0A}";

}  // namespace com_test
