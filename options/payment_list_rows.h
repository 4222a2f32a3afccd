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
