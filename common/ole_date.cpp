#include "common/ole_date.h"

#include <cmath>

#include "platform/ole_time.h"

namespace {
constexpr int kLastYear = 9999;
}  // namespace

int ExpandTwoDigitYear(int year) {
    if (year >= 0 && year < 50) return year + 2000;
    if (year >= 50 && year < 100) return year + 1900;
    return year;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int fourDigitYear, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(fourDigitYear) ? 29 : kDays[month - 1];
}

std::optional<double> ToOleDate(const CivilDate& date, int hour, int minute, int second) {
    if (date.year < 0 || date.year > kLastYear) return std::nullopt;
    const int year = ExpandTwoDigitYear(date.year);
    if (date.day < 1 || date.day > DaysInMonth(year, date.month)) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
    platform::SystemTime time;
    time.year = static_cast<std::uint16_t>(date.year);
    time.month = static_cast<std::uint16_t>(date.month);
    time.day = static_cast<std::uint16_t>(date.day);
    time.hour = static_cast<std::uint16_t>(hour);
    time.minute = static_cast<std::uint16_t>(minute);
    time.second = static_cast<std::uint16_t>(second);
    double result = 0;
    if (!platform::SystemTimeToVariantTime(time, result)) return std::nullopt;
    return result;
}

namespace {
// Sakamoto's method: 0 = Sunday.
int DayOfWeek(int y, int m, int d) {
    static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) y -= 1;
    return (y + y / 4 - y / 100 + y / 400 + kOffsets[m - 1] + d) % 7;
}
}  // namespace

std::optional<CivilDateTime> FromOleDate(double date) {
    // The platform lets a NaN slip past its range test and splits it into some date.
    if (std::isnan(date)) return std::nullopt;
    platform::SystemTime time;
    if (!platform::VariantTimeToSystemTime(date, time)) return std::nullopt;
    // The last half second of 31 December 9999 rounds up into 1 January 10000, which the platform
    // splits but will not build back.
    if (time.year > kLastYear) return std::nullopt;
    CivilDateTime parts;
    parts.year = time.year;
    parts.month = time.month;
    parts.day = time.day;
    // Computed here rather than taken from the platform, which reports the weekday of the day
    // before rounding when a time rounds up past midnight.
    parts.dayOfWeek = DayOfWeek(parts.year, parts.month, parts.day);
    parts.hour = time.hour;
    parts.minute = time.minute;
    parts.second = time.second;
    return parts;
}
