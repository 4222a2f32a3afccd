#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "payments/payment.h"

// One line of the options dialog's payment list, its cells already in single-byte text.
struct PaymentListRow {
    std::int32_t paymentIndex = 0;  // the payment's index in the collection
    std::string sortCode;           // at most 10 characters
    std::string accountNumber;      // at most 29
    std::string name;               // at most 31
    std::string amount;             // "%.2f"
    std::string reference;          // at most 31
    std::string details;            // at most 254
    std::string isIat;              // "Yes" when Status is non-zero, otherwise "No"
};

// A row for every payment the collection hands out, in collection order. A payment that cannot be
// fetched gives no row; a property the host cannot supply shows as an empty cell.
std::vector<PaymentListRow> PaymentListRows(Payments& payments);

// The indexes of the payments that the collection hands out, in order: the rows of the list,
// found without reading any of their cells.
std::vector<std::int32_t> ListedPayments(Payments& payments);
// The row of the payment at `index`, its cells read now; every cell empty when the payment cannot
// be fetched any more.
PaymentListRow PaymentListRowAt(Payments& payments, std::int32_t index);
