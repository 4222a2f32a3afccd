#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "accounts/sort_code.h"

// The positions of the 14-digit number that the check works on, named by the letters of the
// published description: u to z the sort code, a to h the eight-digit account number.
enum Position : std::size_t { kU, kV, kW, kX, kY, kZ, kA, kB, kC, kD, kE, kF, kG, kH, kPositions };

constexpr std::size_t kAccountDigits = kPositions - SortCode::kDigits;

// A sort code and an eight-digit account number as one 14-digit number.
class ModulusNumber {
public:
    // `account` must be exactly eight characters "0" to "9"; nothing otherwise.
    static std::optional<ModulusNumber> Of(SortCode sortCode, std::string_view account) noexcept;

    SortCode GetSortCode() const noexcept { return m_sortCode; }
    int operator[](Position position) const noexcept { return m_digits[position]; }

    // The same account number behind another sort code (exceptions 5, 8 and 9).
    ModulusNumber WithSortCode(SortCode sortCode) const noexcept;
    // The account number moved one place right with a 0 in front, its last digit dropped
    // (abcdefgh becomes 0abcdefg: the second stage of exception 14).
    ModulusNumber WithAccountShifted() const noexcept;

    // The fourteen digits as text.
    std::string Text() const;

private:
    ModulusNumber() = default;
    SortCode m_sortCode = SortCode::Of(0);
    std::array<std::uint8_t, kPositions> m_digits{};
};
