#include "accounts/modulus_number.h"

#include <algorithm>

std::optional<ModulusNumber> ModulusNumber::Of(SortCode sortCode, std::string_view account) noexcept {
    if (account.size() != kAccountDigits) return std::nullopt;
    ModulusNumber number = ModulusNumber().WithSortCode(sortCode);
    for (std::size_t i = 0; i < kAccountDigits; ++i) {
        const char c = account[i];
        if (c < '0' || c > '9') return std::nullopt;
        number.digits_[kA + i] = static_cast<std::uint8_t>(c - '0');
    }
    return number;
}

ModulusNumber ModulusNumber::WithSortCode(SortCode sortCode) const noexcept {
    ModulusNumber number = *this;
    number.sortCode_ = sortCode;
    std::uint32_t value = sortCode.Value();
    for (std::size_t i = SortCode::kDigits; i-- > 0; value /= 10) number.digits_[i] = static_cast<std::uint8_t>(value % 10);
    return number;
}

ModulusNumber ModulusNumber::WithAccountShifted() const noexcept {
    ModulusNumber number = *this;
    std::copy(digits_.begin() + kA, digits_.begin() + kH, number.digits_.begin() + kB);
    number.digits_[kA] = 0;
    return number;
}

std::string ModulusNumber::Text() const {
    std::string text(kPositions, '0');
    for (std::size_t i = 0; i < kPositions; ++i) text[i] = static_cast<char>('0' + digits_[i]);
    return text;
}
