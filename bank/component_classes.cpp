#include "bank/component_classes.h"

#include <iterator>

#include "bank/bank.h"
#include "bank/bank_payment_service.h"
#include "bank/bank_services.h"
#include "bank/bank_statement_service.h"
#include "resources/resource_ids.h"

namespace {

// The category that the host's framework looks for among installed banks.
constexpr CATID kBankCategory = {0x4E28D2A2, 0xEE93, 0x11D3, {0x8A, 0x15, 0x00, 0xE0, 0x29, 0x17, 0x8D, 0x24}};

const ComponentClass kClasses[] = {
    {&CLSID_Bank, kRegistryScriptBank, &CreateClassObject<CBank>, &kBankCategory, 1},
    {&CLSID_BankServices, kRegistryScriptBankServices, &CreateClassObject<CBankServices>, nullptr, 0},
    {&CLSID_BankPaymentService, kRegistryScriptBankPaymentService, &CreateClassObject<CBankPaymentService>, nullptr, 0},
    {&CLSID_BankStatementService, kRegistryScriptBankStatementService, &CreateClassObject<CBankStatementService>,
     nullptr, 0},
};

IClassFactory* volatile classObjects[std::size(kClasses)] = {};

const ClassTable kClassTable(kClasses, classObjects);

}  // namespace

const ClassTable& ComponentClasses() noexcept { return kClassTable; }
