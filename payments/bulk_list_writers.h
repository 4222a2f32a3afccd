#pragma once
#include <string>

class Payment;
struct UploadContext;

// The BulkList file: header "06" and one record "07" per payment, 80 fields each.

// Header "06" from the payment at index 0, which carries the payer account of the whole list.
// Puts 0 into its Status, then checks the payer sort code (23) and the payer account number (24).
bool WriteBulkListHeader(std::string& out, Payment& first, const UploadContext& context);

// Record "07". Never an IAT: Status is not read. Puts 0 into Status, then checks the amount (21),
// the payee sort code (28), the payee account number (29), the payee name (30) and, where the
// context turns it on, the bank's account number check (36).
bool WriteBulkListRecord(std::string& out, Payment& payment, const UploadContext& context);
