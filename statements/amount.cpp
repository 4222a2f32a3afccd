#include "statements/amount.h"

#include <charconv>
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
std::size_t NumberLength(std::string_view text) {
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

double ReadNumber(std::string_view number) {
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc::result_out_of_range) return value;
    // Out of range either way: too small reads as 0, too large as infinity, as the C library does.
    const std::string copy(number);
    return std::strtod(copy.c_str(), nullptr) > 1 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

double ParseAmount(std::string_view text) {
    // Amount columns are short: kept on the stack unless one is not.
    char buffer[64];
    std::string longer;
    const std::string_view unquoted = StripQuotes(text);
    char* kept = buffer;
    if (unquoted.size() > sizeof buffer) {
        longer.resize(unquoted.size());
        kept = longer.data();
    }
    std::size_t length = 0;
    for (const char c : unquoted) {
        if (!IsDropped(c)) kept[length++] = c;
    }
    std::string_view rest(kept, length);
    if (!rest.empty() && rest.front() == '+') rest.remove_prefix(1);
    return ReadNumber(rest.substr(0, NumberLength(rest)));
}
