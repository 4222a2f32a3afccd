#include "accounts/modulus_number.h"

#include <algorithm>

std::optional<ModulusNumber> ModulusNumber::Of(SortCode sortCode, std::string_view account) noexcept {
    if (account.size() != kAccountDigits) return std::nullopt;
    ModulusNumber number = ModulusNumber().WithSortCode(sortCode);
    for (std::size_t i = 0; i < kAccountDigits; ++i) {
        const char c = account[i];
        if (c < '0' || c > '9') return std::nullopt;
        number.m_digits[kA + i] = static_cast<std::uint8_t>(c - '0');
    }
    return number;
}

ModulusNumber ModulusNumber::WithSortCode(SortCode sortCode) const noexcept {
    ModulusNumber number = *this;
    number.m_sortCode = sortCode;
    std::uint32_t value = sortCode.Value();
    for (std::size_t i = SortCode::kDigits; i-- > 0; value /= 10) number.m_digits[i] = static_cast<std::uint8_t>(value % 10);
    return number;
}

ModulusNumber ModulusNumber::WithAccountShifted() const noexcept {
    ModulusNumber number = *this;
    std::copy(m_digits.begin() + kA, m_digits.begin() + kH, number.m_digits.begin() + kB);
    number.m_digits[kA] = 0;
    return number;
}

std::string ModulusNumber::Text() const {
    std::string text(kPositions, '0');
    for (std::size_t i = 0; i < kPositions; ++i) text[i] = static_cast<char>('0' + m_digits[i]);
    return text;
}
