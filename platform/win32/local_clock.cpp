#include "platform/local_clock.h"

#include <windows.h>

#include "platform/win32/system_time.h"

namespace platform {

CivilDateTime LocalTime() {
    if (const auto& hook = LocalTimeHook()) return hook();
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return FromSystemTime(st);
}

}  // namespace platform
