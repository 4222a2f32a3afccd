#pragma once
#include <cstdint>

// HRESULT values that the portable core raises; the COM boundary turns them into results.
namespace hresult {
constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);
constexpr std::int32_t kInvalidArg = static_cast<std::int32_t>(0x80070057);
constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000E);
}  // namespace hresult

// The failure of a string, BSTR or registry routine, carrying its HRESULT.
class CAtlException {
public:
    explicit CAtlException(std::int32_t hr) noexcept : hr_(hr) {}
    std::int32_t Result() const noexcept { return hr_; }

private:
    std::int32_t hr_;
};
