#include "platform/local_clock.h"

#include <windows.h>

namespace platform {

std::function<SystemTime()>& LocalTimeHook() {
    static std::function<SystemTime()> hook;
    return hook;
}

SystemTime LocalTime() {
    if (const auto& hook = LocalTimeHook()) return hook();
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return SystemTime{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace platform
