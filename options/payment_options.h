#pragma once
#include "common/cstring.h"
#include "payments/payment_format.h"

// What the user decided in the options dialog and the payment run reads back after OK.
struct PaymentOptions {
    double processingDate = 0;  // OLE date, with the time of day the date picker holds
    PaymentFormat format = PaymentFormat::StandardDomestic;
    CString templateName;          // at most 20 characters; empty when the format has no template
    CString beneficiaryReference;  // at most 18 characters; empty when the format does not use it
};

constexpr int kTemplateNameLimit = 20;
constexpr int kBeneficiaryReferenceLimit = 18;
