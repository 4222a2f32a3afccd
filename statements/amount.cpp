#include "statements/amount.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <cstdlib>
#include <limits>
#include <string>

#include "statements/field_splitting.h"

namespace {

bool IsDropped(char c) {
    switch (c) {
    case ' ': case '\t': case '\r': case '\n': case '\v': case '\f': case ',': case '-':
        return true;
    default:
        return false;
    }
}

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigitChar(text[at])) ++at;
    return at;
}

// The length of the decimal number at the start of `text` (no sign), 0 when there is none.
inline std::size_t NumberLength(std::string_view text) {
    std::size_t end = SkipDigits(text, 0);
    std::size_t digits = end;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (digits == 0) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && text[exponent] == '+') ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;
    }
    return end;
}

inline double ReadNumber(std::string_view number) {
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc::result_out_of_range) return value;
    // Out of range either way: too small reads as 0, too large as infinity, as the C library does.
    const std::string copy(number);
    return std::strtod(copy.c_str(), nullptr) > 1 ? std::numeric_limits<double>::infinity() : 0.0;
}

// An amount column as ParseAmount reads it: one pair of enclosing quotes, every whitespace
// character, comma and minus sign, then one leading '+' gone. Short columns stay on the stack.
class PreparedAmount {
public:
    explicit PreparedAmount(std::string_view text) {
        const std::string_view unquoted = StripQuotes(text);
        char* kept = buffer_;
        if (unquoted.size() > sizeof buffer_) {
            longer_.resize(unquoted.size());
            kept = longer_.data();
        }
        std::size_t length = 0;
        for (const char c : unquoted) {
            if (!IsDropped(c)) kept[length++] = c;
        }
        text_ = std::string_view(kept, length);
        if (!text_.empty() && text_.front() == '+') text_.remove_prefix(1);
    }
    PreparedAmount(const PreparedAmount&) = delete;
    PreparedAmount& operator=(const PreparedAmount&) = delete;

    std::string_view Text() const noexcept { return text_; }
    // The decimal number at the start of the text, as long as it runs.
    std::string_view Number() const noexcept { return text_.substr(0, NumberLength(text_)); }
    bool IsWhole() const noexcept { return NumberLength(text_) == text_.size(); }

private:
    char buffer_[64];
    std::string longer_;
    std::string_view text_;
};

}  // namespace

// Most lines leave one of their two amount columns empty.
double ParseAmount(std::string_view text) { return text.empty() ? 0.0 : ReadNumber(PreparedAmount(text).Number()); }

std::optional<double> ParseWholeAmount(std::string_view text) {
    if (text.empty()) return 0.0;
    const PreparedAmount amount(text);
    const std::string_view rest = amount.Text();
    if (NumberLength(rest) != rest.size()) return std::nullopt;
    return rest.empty() ? 0.0 : ReadNumber(rest);
}

namespace {

// A whole number of at most 2^53 divided by a power of ten that a double holds exactly is rounded
// once, as reading the decimal text rounds it.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Fewer digits than this make a whole number below 2^53 whatever they are.
constexpr std::size_t kShortDigits = 16;

// ParsePlainAmount of a column with any number of digits, each checked against 2^53.
std::optional<double> ParseLongPlainAmount(std::string_view unquoted) {
    constexpr std::uint64_t kLargestBeforeDigit = ((std::uint64_t{1} << 53) - 9) / 10;
    std::uint64_t digits = 0;
    int decimals = -1;  // none before the point
    bool anyDigit = false;
    for (const char c : unquoted) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit <= 9) {
            if (digits > kLargestBeforeDigit) return std::nullopt;
            digits = digits * 10 + digit;
            anyDigit = true;
            decimals += decimals >= 0;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else if (!IsDropped(c)) {
            return std::nullopt;
        }
    }
    if (!anyDigit || decimals >= static_cast<int>(std::size(kPowersOfTen))) return std::nullopt;
    const double whole = static_cast<double>(digits);
    return decimals > 0 ? whole / kPowersOfTen[decimals] : whole;
}

}  // namespace

std::optional<double> ParsePlainAmount(std::string_view text) {
    // Nearly every amount has a few digits: those are read without a check on each, and where
    // the point stood gives the decimals.
    const std::string_view unquoted = StripQuotes(text);
    std::uint64_t digits = 0;
    std::size_t count = 0;
    std::size_t point = std::string_view::npos;  // the digits before it
    for (const char c : unquoted) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit <= 9) {
            digits = digits * 10 + digit;  // wraps harmlessly when there are too many to use
            ++count;
        } else if (c == '.' && point == std::string_view::npos) {
            point = count;
        } else if (!IsDropped(c)) {
            return std::nullopt;
        }
    }
    if (count >= kShortDigits) return ParseLongPlainAmount(unquoted);
    if (count == 0) return std::nullopt;
    const std::size_t decimals = point == std::string_view::npos ? 0 : count - point;
    const double whole = static_cast<double>(digits);
    return decimals > 0 ? whole / kPowersOfTen[decimals] : whole;
}

bool IsWholeAmount(std::string_view text) { return text.empty() || PreparedAmount(text).IsWhole(); }
