#pragma once
// Shared by the calendar's tests: dates by their parts, and answers printed for failure messages.
#include <cstdio>
#include <stdexcept>
#include <string>

#include "common/ole_date.h"
#include "options/calendar.h"

namespace calendar_test {

inline double Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    const auto date = ToOleDate({year, month, day}, hour, minute, second);
    if (!date) throw std::invalid_argument("no such date in a test table");
    return *date;
}

inline const char* WeekdayName(int weekday) {
    static const char* const kNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return weekday >= 0 && weekday < 7 ? kNames[weekday] : "?";
}

// "27/03/2024 12:00:00" or "(outside the platform range)".
inline std::string Show(double date) {
    const auto parts = FromOleDate(date);
    if (!parts) return std::to_string(date) + " (outside the platform range)";
    char text[48];
    std::snprintf(text, sizeof text, "%s %02d/%02d/%04d %02d:%02d:%02d", WeekdayName(static_cast<int>(WeekdayOf(*parts))), parts->day,
                  parts->month, parts->year, parts->hour, parts->minute, parts->second);
    return text;
}

// The answer as the rule table writes it: "banking", "holiday 2", "weekend 3"; anything else shows
// its three parts.
inline std::string Describe(const BankingDay& answer) {
    const std::string advance = std::to_string(answer.advance);
    if (answer.banking && answer.kind == NonBankingKind::None && answer.advance == 0) return "banking";
    if (!answer.banking && answer.kind == NonBankingKind::BankHoliday) return "holiday " + advance;
    if (!answer.banking && answer.kind == NonBankingKind::Weekend) return "weekend " + advance;
    return std::string("{banking ") + (answer.banking ? "true" : "false") + ", advance " + advance + ", kind " +
           std::to_string(static_cast<int>(answer.kind)) + "}";
}

}  // namespace calendar_test
