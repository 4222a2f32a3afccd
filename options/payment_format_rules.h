#pragma once
#include "payments/payment_format.h"

// What the options dialog offers for each payment format.
struct PaymentFormatRules {
    unsigned helpTextId = 0;  // string resource shown under the format buttons
    bool templateEnabled = false;
    bool beneficiaryReferenceEnabled = false;
    bool iatMarkingAllowed = false;
};

PaymentFormatRules RulesFor(PaymentFormat format);
