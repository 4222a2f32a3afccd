#include "cli/fixed_today.h"

#include <cmath>
#include <stdexcept>

#include "common/ole_date.h"

namespace cli {

namespace {

CivilDateTime MidnightOf(double day) {
    const auto date = FromOleDate(std::trunc(day));
    if (!date) throw std::invalid_argument("--today lies outside the calendar");
    return CivilDateTime{static_cast<const CivilDate&>(*date)};
}

}  // namespace

FixedToday::FixedToday(double day)
    : hook_(platform::LocalTimeHook(), [time = MidnightOf(day)] { return time; }) {}

}  // namespace cli
