#include "common/ole_date.h"

#include <cmath>

#include "platform/ole_time.h"

namespace {
// The last year an OLE date can hold.
constexpr int kLastYear = 9999;
}  // namespace

std::optional<double> ToOleDate(const CivilDate& date, int hour, int minute, int second) {
    if (date.year < 0 || date.year > kLastYear) return std::nullopt;
    if (!Exists({ExpandTwoDigitYear(date.year), date.month, date.day})) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
    double result = 0;
    if (!platform::SystemTimeToVariantTime({date, hour, minute, second}, result)) return std::nullopt;
    return result;
}

std::optional<CivilDateTime> FromOleDate(double date) {
    // The platform lets a NaN slip past its range test and splits it into some date.
    if (std::isnan(date)) return std::nullopt;
    CivilDateTime parts;
    if (!platform::VariantTimeToSystemTime(date, parts)) return std::nullopt;
    // The last half second of 31 December 9999 rounds up into 1 January 10000, which the platform
    // splits but will not build back.
    if (parts.year > kLastYear) return std::nullopt;
    return parts;
}
