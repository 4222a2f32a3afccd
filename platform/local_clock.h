#pragma once
#include <functional>

#include "common/civil_date.h"

namespace platform {

// The local wall clock (GetLocalTime), to the second.
CivilDateTime LocalTime();

// When set, LocalTime() answers from it instead of the clock.
std::function<CivilDateTime()>& LocalTimeHook();

}  // namespace platform
