#include "platform/local_clock.h"

#include <chrono>
#include <ctime>

namespace platform {

CivilDateTime LocalTime() {
    if (const auto& hook = LocalTimeHook()) return hook();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&seconds, &local);
    CivilDateTime time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    return time;
}

}  // namespace platform
