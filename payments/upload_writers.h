#pragma once
#include <string>

#include "payments/payment.h"
#include "payments/upload_context.h"

// The writers of the chosen format. Each appends one line to `out` and returns whether every
// check it made passed.

// Header "06" (BulkList) or "08" (AdHocBulk) from the payment at index 0; the other formats have
// no header and must not ask for one.
bool WriteHeader(std::string& out, Payment& first, const UploadContext& context);

// Record "01"/"03", "07" or "09", as the format demands.
bool WriteRecord(std::string& out, Payment& payment, const UploadContext& context);
