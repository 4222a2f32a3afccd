#include "platform/ole_time.h"

#include <windows.h>
#include <oleauto.h>

namespace platform {
namespace {

SYSTEMTIME ToWin32(const SystemTime& t) {
    SYSTEMTIME st{};
    st.wYear = t.year;
    st.wMonth = t.month;
    st.wDayOfWeek = t.dayOfWeek;
    st.wDay = t.day;
    st.wHour = t.hour;
    st.wMinute = t.minute;
    st.wSecond = t.second;
    st.wMilliseconds = t.milliseconds;
    return st;
}

}  // namespace

bool SystemTimeToVariantTime(const SystemTime& time, double& date) {
    SYSTEMTIME st = ToWin32(time);
    return ::SystemTimeToVariantTime(&st, &date) != 0;
}

bool VariantTimeToSystemTime(double date, SystemTime& time) {
    SYSTEMTIME st{};
    if (!::VariantTimeToSystemTime(date, &st)) return false;
    time = SystemTime{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
    return true;
}

}  // namespace platform
