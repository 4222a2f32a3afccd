#include "cli/fixed_today.h"

#include <cmath>
#include <stdexcept>

#include "common/ole_date.h"

namespace cli {

namespace {

platform::SystemTime MidnightOf(double day) {
    const auto parts = FromOleDate(std::trunc(day));
    if (!parts) throw std::invalid_argument("--today lies outside the calendar");
    platform::SystemTime time;
    time.year = static_cast<std::uint16_t>(parts->year);
    time.month = static_cast<std::uint16_t>(parts->month);
    time.dayOfWeek = static_cast<std::uint16_t>(parts->dayOfWeek);
    time.day = static_cast<std::uint16_t>(parts->day);
    return time;
}

}  // namespace

FixedToday::FixedToday(double day)
    : hook_(platform::LocalTimeHook(), [time = MidnightOf(day)] { return time; }) {}

}  // namespace cli
