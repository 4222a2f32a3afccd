#pragma once
#include <string_view>
#include <vector>

#include "payments/memory_payment.h"

namespace cli {

// The payment list of `varrow export`: CSV text (see csv_reader.h) whose first row names the
// columns and whose every further row is one payment, index 0 first.
//
// Columns are the seventeen payment properties, named without regard to case, in any order, any
// subset; a column that is missing, like an empty cell, reads as empty text or 0. Text is UTF-8
// and reaches the payment as UTF-16. Value is a decimal number with "." as the point, Status and
// Currency are integers, Date is DD/MM/YYYY or YYYY-MM-DD.
//
// Throws UsageError for an unknown or repeated column, a row whose field count differs from the
// header's, and a value that cannot be read, naming the line, the payment and the column.
std::vector<PaymentRecord> LoadPaymentTable(std::string_view csvText);

}  // namespace cli
