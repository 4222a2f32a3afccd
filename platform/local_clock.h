#pragma once
#include <functional>
#include "platform/system_time.h"

namespace platform {

// The local wall clock (GetLocalTime).
SystemTime LocalTime();

// When set, LocalTime() answers from it instead of the clock.
std::function<SystemTime()>& LocalTimeHook();

}  // namespace platform
