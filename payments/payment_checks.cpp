#include "payments/payment_checks.h"

#include <algorithm>
#include <cmath>

#include "accounts/account_check.h"
#include "common/text_conversion.h"
#include "payments/record_layouts.h"
#include "payments/status_codes.h"

namespace {
constexpr std::size_t kSortCodeDigits = field_width::kSortCode;
constexpr std::size_t kAccountNumberLength = field_width::kAccountNumber;
}  // namespace

bool AmountPasses(double value) { return value > kSmallestAmount && std::isfinite(value); }

bool SortCodePasses(std::string_view digits) { return digits.size() == kSortCodeDigits; }

bool AccountNumberPasses(std::string_view text) {
    return text.size() == kAccountNumberLength && std::all_of(text.begin(), text.end(), IsDigit);
}

bool PayeeNamePasses(std::u16string_view name) { return !name.empty(); }

StatusKeeper::StatusKeeper(Payment& payment) : payment_(payment) { payment_.SetStatus(0); }

void StatusKeeper::Record(bool passed, std::int32_t failureCode) {
    if (passed) return;
    payment_.SetStatus(failureCode);
    allPassed_ = false;
}

void CheckPayerAccount(StatusKeeper& status, const PayerAccount& payer) {
    status.Record(SortCodePasses(payer.sortCode), status::kInvalidPayerSortCode);
    status.Record(AccountNumberPasses(payer.accountNumber), status::kInvalidPayerAccountNumber);
}

void CheckAmount(StatusKeeper& status, double value) { status.Record(AmountPasses(value), status::kInvalidAmount); }

void CheckPayeeAccount(StatusKeeper& status, const PayeeAccount& payee) {
    status.Record(SortCodePasses(payee.sortCode), status::kInvalidPayeeSortCode);
    status.Record(AccountNumberPasses(payee.accountNumber), status::kInvalidPayeeAccountNumber);
}

void CheckPayeeName(StatusKeeper& status, std::u16string_view name) {
    status.Record(PayeeNamePasses(name), status::kInvalidPayeeName);
}

bool PassesBankCheck(const ModulusTables& tables, std::string_view sortCode, std::string_view accountNumber) {
    return CheckAccount(tables, sortCode, accountNumber).result != CheckResult::Invalid;
}

void CheckPayeeWithBank(StatusKeeper& status, const ModulusTables* tables, const PayeeAccount& payee) {
    if (!tables || !status.AllPassed()) return;
    status.Record(PassesBankCheck(*tables, payee.sortCode, payee.accountNumber), status::kFailsAccountCheck);
}
