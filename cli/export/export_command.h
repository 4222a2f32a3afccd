#pragma once
#include <cstdint>
#include <string>

#include "payments/payment.h"

namespace cli {

// What `varrow export` prints on standard output after the run: one line per payment in index
// order, INDEX<TAB>STATUS<TAB>TEXT (the status text where StatusText has one, else nothing after
// the second tab), then result<TAB>N with the run's result code.
std::string StatusReport(Payments& payments, std::int32_t resultCode);

}  // namespace cli
