#pragma once
#include <cstdint>
#include <vector>

#include "options/payment_options.h"
#include "payments/payment.h"
#include "payments/payment_identity.h"

// A payment that a file would hold, and its identity as its record would show it.
struct WrittenPayment {
    std::int32_t index = 0;  // in the collection
    PaymentIdentity identity;
};

// The payments a file of the chosen format would hold, before it is written: each record is made
// by the format's own writers, through the same loop that writes the file, and its identity read
// from the fields as written. So a payment counts exactly when it would be written: none after a
// failed bulk header, none from the first payment that cannot be fetched or read. The payments'
// Status is read for the transfer mark but never changed.
std::vector<WrittenPayment> WrittenIdentities(Payments& payments, const PaymentOptions& options);
