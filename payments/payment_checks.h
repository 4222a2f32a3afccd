#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "accounts/modulus_tables.h"
#include "payments/payment.h"
#include "payments/payment_values.h"

// The checks that the writers apply to the values they write. Each passes or fails on its own;
// the status code of a failure is in status_codes.h.

// The amount bound is the single-precision constant 5e-7, as a double 4.999999987376214e-07.
constexpr double kSmallestAmount = static_cast<double>(5e-7f);

// Greater than kSmallestAmount and finite: an infinite amount is no amount to pay.
bool AmountPasses(double value);
// A sort code reduced to its digits: exactly six of them.
bool SortCodePasses(std::string_view digits);
// An account number as single-byte text: exactly eight characters, all "0" to "9".
bool AccountNumberPasses(std::string_view text);
// The payee name as received: not empty (in UTF-16 units, before any conversion).
bool PayeeNamePasses(std::u16string_view name);

// Keeps the outcome of one writer's checks in its payment's Status: 0 when it starts, then the
// code of each failing check, so that the last failure in the writer's order is the one that stays.
class StatusKeeper {
public:
    explicit StatusKeeper(Payment& payment);
    StatusKeeper(const StatusKeeper&) = delete;
    StatusKeeper& operator=(const StatusKeeper&) = delete;

    void Record(bool passed, std::int32_t failureCode);
    bool AllPassed() const noexcept { return allPassed_; }

private:
    Payment& payment_;
    bool allPassed_ = true;
};

// The bank's account number check: fails only what the tables find invalid; a sort code they hold
// no rows for passes, as it does at the bank.
bool PassesBankCheck(const ModulusTables& tables, std::string_view sortCode, std::string_view accountNumber);

// The checks in the groups that the writers apply, each group in its own order.
void CheckPayerAccount(StatusKeeper& status, const PayerAccount& payer);  // sort code 23, account 24
void CheckAmount(StatusKeeper& status, double value);                      // 21
void CheckPayeeAccount(StatusKeeper& status, const PayeeAccount& payee);  // sort code 28, account 29
void CheckPayeeName(StatusKeeper& status, std::u16string_view name);       // 30

// The bank's account number check of the payee (36), the last check of a record and only once all
// the others have passed: they have made sure of six sort code digits and eight account digits, so
// the check never meets a malformed pair, and a payment already marked wrong keeps its code. An
// account the tables hold no rows for passes, as it does at the bank. No tables: the check is off.
void CheckPayeeWithBank(StatusKeeper& status, const ModulusTables* tables, const PayeeAccount& payee);
