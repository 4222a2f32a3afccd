#pragma once
#include <cstddef>
#include <string>

#include "payments/payment.h"
#include "payments/payment_checks.h"
#include "payments/payment_values.h"
#include "payments/layout_line.h"
#include "payments/upload_context.h"

// The header of either bulk format ("06" or "08", by `layout`) from the payment at index 0, which
// carries the payer account of the whole file. Puts 0 into its Status, then checks the payer sort
// code (23) and the payer account number (24).
bool WriteBulkHeader(std::string& out, Payment& first, const UploadContext& context, const RecordLayout& layout);

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
