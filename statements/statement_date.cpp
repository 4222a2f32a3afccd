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

std::optional<double> ParsePlainDate(std::string_view text) {
    constexpr std::size_t kLength = 10;  // DD/MM/YYYY
    if (text.size() != kLength || text[2] != '/' || text[5] != '/') return std::nullopt;
    int value[kLength] = {};
    for (std::size_t at = 0; at < kLength; ++at) {
        if (at == 2 || at == 5) continue;
        if (text[at] < '0' || text[at] > '9') return std::nullopt;
        value[at] = text[at] - '0';
    }
    CivilDate date;
    date.day = value[0] * 10 + value[1];
    date.month = value[3] * 10 + value[4];
    date.year = ((value[6] * 10 + value[7]) * 10 + value[8]) * 10 + value[9];
    const std::optional<double> dayFirst = ToOleDate(date);
    if (dayFirst && *dayFirst >= kDateThreshold) return dayFirst;
    return std::nullopt;
}
