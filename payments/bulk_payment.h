#pragma once
#include <cstddef>
#include <string>

#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/payment_values.h"
#include "payments/layout_line.h"

// What the two bulk records ("07" and "09") take from a payment, read and checked in their shared
// order: amount (21), payee sort code (28), payee account number (29), payee name (30), and the
// bank's account number check (36) where `accountTables` turn it on.
struct BulkPayee {
    double amount = 0;
    PayeeAccount account;
    std::u16string name;
};

BulkPayee ReadCheckedBulkPayee(StatusKeeper& status, const Payment& payment, const ModulusTables* accountTables);

// The values both bulk records write alike: the amount, the payee's sort code, account number and
// name.
void SetBulkPayee(LayoutLine& line, const BulkPayee& payee);
