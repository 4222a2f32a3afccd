#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Status codes left in each payment's Status; their texts are string resources 300 + code.
namespace status {
constexpr std::int32_t kProcessed = 0;
constexpr std::int32_t kBatchRejected = 20;
constexpr std::int32_t kInvalidAmount = 21;
constexpr std::int32_t kInvalidPayerSortCode = 23;
constexpr std::int32_t kInvalidPayerAccountNumber = 24;
constexpr std::int32_t kInvalidPayeeSortCode = 28;
constexpr std::int32_t kInvalidPayeeAccountNumber = 29;
constexpr std::int32_t kInvalidPayeeName = 30;
// Set only where an administrator turned the account number check on.
constexpr std::int32_t kFailsAccountCheck = 36;
}  // namespace status

constexpr unsigned kStatusTextBase = 300;
constexpr unsigned kTooManyPaymentsText = 340;
constexpr std::int32_t kMaxPayments = 4000;

// The text the payment service's StatusText hands out: for a code that, taken as unsigned, is at
// most 36 and whose string exists; nothing otherwise (codes above 36, 40 included, have none).
std::optional<std::string> StatusText(std::int32_t code);
