#pragma once
#include <cstdint>

// The payment service's ResultCode after a run (the last one set stands), which Process also
// returns where it ends early.
namespace run_result {
constexpr std::int32_t kSucceeded = 0;
constexpr std::int32_t kCheckFailed = 1;  // a header or record failed its checks
constexpr std::int32_t kFileFailed = 2;   // the upload file could not be opened, filled or closed
constexpr std::int32_t kCancelled = 3;
constexpr std::int32_t kTooManyPayments = 40;
}  // namespace run_result
