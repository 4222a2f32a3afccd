#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A sort code as the modulus tables use it: six decimal digits, ordered as the number they make.
class SortCode {
public:
    static constexpr std::uint32_t kLimit = 1000000;
    static constexpr std::size_t kDigits = 6;

    // Exactly six characters "0" to "9"; nothing otherwise.
    static constexpr std::optional<SortCode> FromDigits(std::string_view text) noexcept {
        if (text.size() != kDigits) return std::nullopt;
        std::uint32_t value = 0;
        for (const char c : text) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
        }
        return SortCode(value);
    }

    // The sort code of six digits that `value` makes with leading zeros (090126 from 90126).
    static constexpr SortCode Of(std::uint32_t value) {
        if (value >= kLimit) throw std::out_of_range("a sort code has six digits");
        return SortCode(value);
    }

    constexpr std::uint32_t Value() const noexcept { return m_value; }
    // The six digits, leading zeros included.
    std::string Text() const {
        std::string text(kDigits, '0');
        std::uint32_t value = m_value;
        for (std::size_t i = kDigits; i-- > 0; value /= 10) text[i] = static_cast<char>('0' + value % 10);
        return text;
    }

    friend constexpr bool operator==(SortCode a, SortCode b) noexcept { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(SortCode a, SortCode b) noexcept { return a.m_value != b.m_value; }
    friend constexpr bool operator<(SortCode a, SortCode b) noexcept { return a.m_value < b.m_value; }
    friend constexpr bool operator<=(SortCode a, SortCode b) noexcept { return a.m_value <= b.m_value; }

private:
    constexpr explicit SortCode(std::uint32_t value) noexcept : m_value(value) {}
    std::uint32_t m_value;
};
