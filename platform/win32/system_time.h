#pragma once
// The Win32 SYSTEMTIME of a calendar value and back: the one place where the two meet.
#include <windows.h>

#include "common/civil_date.h"

namespace platform {

// Each part as the platform's 16-bit word; the weekday is filled in for a date that exists (the
// date picker shows it), milliseconds are 0.
inline SYSTEMTIME ToSystemTime(const CivilDateTime& time) noexcept {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.year);
    st.wMonth = static_cast<WORD>(time.month);
    st.wDay = static_cast<WORD>(time.day);
    if (time.year >= 100 && Exists(time)) st.wDayOfWeek = static_cast<WORD>(WeekdayOf(time));
    st.wHour = static_cast<WORD>(time.hour);
    st.wMinute = static_cast<WORD>(time.minute);
    st.wSecond = static_cast<WORD>(time.second);
    return st;
}

// The platform's weekday and milliseconds are left behind.
inline CivilDateTime FromSystemTime(const SYSTEMTIME& st) noexcept {
    CivilDateTime time;
    time.year = st.wYear;
    time.month = st.wMonth;
    time.day = st.wDay;
    time.hour = st.wHour;
    time.minute = st.wMinute;
    time.second = st.wSecond;
    return time;
}

}  // namespace platform
