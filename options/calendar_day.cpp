#include "options/calendar_day.h"

#include <cmath>

#include "common/ole_date.h"

CalendarDay CalendarDay::Of(double oleDate) { return CalendarDay(std::trunc(oleDate)); }

double CalendarDay::At(double timeOfDay) const {
    // Day 0 takes its time forwards like every day after it.
    return number_ < 0 ? number_ - timeOfDay : number_ + timeOfDay;
}

double TimeOfDay(double oleDate) { return std::fabs(oleDate - std::trunc(oleDate)); }

std::optional<CivilDate> Split(CalendarDay day) {
    const auto parts = FromOleDate(day.At(0));
    if (!parts) return std::nullopt;
    return *parts;
}
