#include "statements/statement_date.h"

#include <array>
#include <optional>

#include "common/ole_date.h"

namespace {

// A day-first reading that converts to less than this falls back to the year-first reading.
constexpr double kDateThreshold = 0.000005;
// Beyond any year the platform takes; reading stops growing here so that no digit string overflows.
constexpr int kReadLimit = 100000;

// A piece of the Date column as a decimal integer: leading whitespace skipped, reading stops at
// the first character that is not a digit, 0 when there is none.
int ReadPart(std::string_view piece) {
    std::size_t at = 0;
    while (at < piece.size() && (piece[at] == ' ' || (piece[at] >= '\t' && piece[at] <= '\r'))) ++at;
    int value = 0;
    for (; at < piece.size() && piece[at] >= '0' && piece[at] <= '9'; ++at) {
        if (value < kReadLimit) value = value * 10 + (piece[at] - '0');
    }
    return value;
}

// Reads up to three pieces of `text` split at `separator` into `parts`, in their order; a part
// without a piece keeps its value.
void ReadParts(std::string_view text, char separator, const std::array<int*, 3>& parts) {
    if (!text.empty() && text.front() == '"') text.remove_prefix(1);
    for (int* part : parts) {
        const auto end = text.find(separator);
        *part = ReadPart(text.substr(0, end));
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

double ParseDate(std::string_view text) {
    CivilDate date;
    ReadParts(text, '/', {&date.day, &date.month, &date.year});
    const std::optional<double> dayFirst = ToOleDate(date);
    if (dayFirst && *dayFirst >= kDateThreshold) return *dayFirst;
    ReadParts(text, '-', {&date.year, &date.month, &date.day});
    if (const auto yearFirst = ToOleDate(date)) return *yearFirst;
    return dayFirst.value_or(0.0);
}

namespace {

// The parts of DD/MM/YYYY written in digits; nothing for any other text.
std::optional<CivilDate> PlainDateParts(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
    bool digits = true;
    const auto digit = [&](std::size_t at) {
        const unsigned value = static_cast<unsigned char>(text[at]) - unsigned{'0'};
        digits = digits && value <= 9;
        return static_cast<int>(value);
    };
    CivilDate date;
    date.day = digit(0) * 10 + digit(1);
    date.month = digit(3) * 10 + digit(4);
    date.year = digit(6) * 1000 + digit(7) * 100 + digit(8) * 10 + digit(9);
    if (!digits) return std::nullopt;
    return date;
}

// The day-first reading's date, when it gives one that ParseDate takes at once.
std::optional<double> DayFirst(const CivilDate& date) {
    const std::optional<double> value = ToOleDate(date);
    if (value && *value >= kDateThreshold) return value;
    return std::nullopt;
}

}  // namespace

std::optional<double> ParsePlainDate(std::string_view text) {
    const std::optional<CivilDate> date = PlainDateParts(text);
    return date ? DayFirst(*date) : std::nullopt;
}

std::optional<double> PlainDates::Convert(std::string_view text, const Text& key, Converted& place) {
    const std::optional<double> value = ParsePlainDate(text);
    if (value) place = {key, *value};
    return value;
}
