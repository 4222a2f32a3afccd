#pragma once
// The reconciled account, as the host's account source hands it to the statement import.
#include "host/generated_interfaces.h"
#include "statements/statement_account.h"

// Takes the account number (FilterAccount method 5) and then the sort code (method 1) from the
// account that `source` hands out through its method 1. A value the host does not give (no source,
// a failing call, a null BSTR) leaves the one `account` holds from an earlier import.
void TakeAccountFrom(ITeskServiceFilter* source, StatementAccount& account);
