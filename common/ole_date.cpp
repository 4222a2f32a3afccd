#include "common/ole_date.h"

#include <cmath>

#include "platform/ole_time.h"

std::optional<double> ToOleDate(const CivilDate& date, int hour, int minute, int second) {
    if (date.year < 0 || date.year > 9999) return std::nullopt;
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
    return parts;
}
