#include "common/written_date.h"

#include <cmath>
#include <cstdio>

#include "common/ole_date.h"

namespace {

constexpr int kSmallestYear = 100;

// The number written by exactly `count` digits at `at`, or -1.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<double> Midnight(const CivilDate& date) {
    if (date.year < kSmallestYear || date.month < 0 || date.day < 0) return std::nullopt;
    return ToOleDate(date);
}

// Truncated, not floored: before 1899 an OLE date counts its days down and its time of day up, so
// -1.25 is 29 December 1899 at 06:00.
std::optional<CivilDateTime> DayOf(double date) { return FromOleDate(std::trunc(date)); }

}  // namespace

std::optional<double> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    return Midnight({Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2)});
}

std::optional<double> ParseWrittenDate(std::string_view text) {
    if (text.size() == 10 && text[2] == '/' && text[5] == '/')
        return Midnight({Digits(text, 6, 4), Digits(text, 3, 2), Digits(text, 0, 2)});
    return ParseIsoDate(text);
}

std::optional<double> ParseFileDate(std::string_view text) {
    if (text.size() != 8) return std::nullopt;
    return Midnight({Digits(text, 4, 4), Digits(text, 2, 2), Digits(text, 0, 2)});
}

std::optional<std::string> FormatIsoDate(double date) {
    const auto parts = DayOf(date);
    if (!parts) return std::nullopt;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts->year, parts->month, parts->day);
    return std::string(text);
}

std::optional<std::string> FormatSlashedDate(double date) {
    const auto parts = DayOf(date);
    if (!parts) return std::nullopt;
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", parts->day, parts->month, parts->year);
    return std::string(text);
}
