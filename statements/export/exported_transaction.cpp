#include "statements/export/exported_transaction.h"

void ExportedTransaction::Start(const CTransactionRecord& record) {
    number = 0;
    sortCode = record.SortCode().View();
    account = record.AccountNumber().View();
    currency = record.Currency().View();
    accountType = record.AccountType().View();
    typeCode = record.Type().View();
    date = 0;
    debit = false;
    amount = 0;
    reference.clear();
    narrative.clear();
}
