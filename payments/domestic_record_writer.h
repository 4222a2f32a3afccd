#pragma once
#include <string>

class Payment;
struct UploadContext;

// Record "01" (an ordinary payment) or "03" (an Inter Account Transfer) of the formats
// StandardDomestic and DomesticTemplate, appended to `out` as one 80-field line. A non-zero Status
// on the way in marks the payment as an IAT. Puts 0 into Status, then the code of each failing
// check: payer sort code, payer account number, amount, payee sort code, payee account number,
// and the payee name only where the line carries it (StandardDomestic "01"), then the bank's
// account number check where the context turns it on. Returns whether every check passed; the line
// is written either way.
bool WriteDomesticRecord(std::string& out, Payment& payment, const UploadContext& context);
