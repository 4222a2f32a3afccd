#pragma once
#include <string>

class Payment;
struct UploadContext;

// The AdHocBulk file: header "08" and one record "09" per payment, 85 fields each.

// Header "08" from the payment at index 0, which carries the single debit account. Names the
// output file. Puts 0 into its Status, then checks the payer sort code (23) and account number (24).
bool WriteAdHocBulkHeader(std::string& out, Payment& first, const UploadContext& context);

// Record "09". Never an IAT: Status is not read. Puts 0 into Status, then checks the amount (21),
// the payee sort code (28), the payee account number (29), the payee name (30) and, where the
// context turns it on, the bank's account number check (36).
bool WriteAdHocBulkRecord(std::string& out, Payment& payment, const UploadContext& context);
