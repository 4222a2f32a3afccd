#include "bank/bank_services.h"

#include "bank/bank_payment_service.h"
#include "bank/bank_statement_service.h"

void CBankServices::FinalConstruct() {
    RemoveAll();
    Add(CreateComObject<CBankPaymentService>().Get());
    Add(CreateComObject<CBankStatementService>().Get());
}
