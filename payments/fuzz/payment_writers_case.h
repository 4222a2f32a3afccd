#pragma once
// A payment run made from fuzzer bytes: any UTF-16 text in every property, any double, any Status,
// any format and options. The writers' fuzz target and the verifier's properties read the writers'
// saved inputs through it alike.
#include <string>
#include <string_view>
#include <vector>

#include "options/payment_options.h"
#include "payments/memory_payment.h"

struct PaymentWritersCase {
    PaymentOptions options;
    std::string fileName;
    std::vector<PaymentRecord> payments;
};

PaymentWritersCase MakePaymentWritersCase(std::string_view bytes);
