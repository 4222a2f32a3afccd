#pragma once

// Calendar values as the component reasons about them, whatever the platform's own encoding.

// Numbered from 0 = Sunday, as OLE Automation and the platform number them.
enum class Weekday { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// A day of the proleptic Gregorian calendar by its parts. Nothing here checks that it exists:
// the conversions that take one say what they accept.
struct CivilDate {
    int year = 0;   // 0-49 and 50-99 are read as 2000-2049 and 1950-1999 where the platform reads them
    int month = 0;  // 1..12
    int day = 0;    // 1..last day of the month

    friend bool operator==(const CivilDate& a, const CivilDate& b) {
        return a.year == b.year && a.month == b.month && a.day == b.day;
    }
    friend bool operator!=(const CivilDate& a, const CivilDate& b) { return !(a == b); }
};

// A day and a time of day on it, to the second.
struct CivilDateTime : CivilDate {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The four-digit year that the platform reads for a year as written.
constexpr int ExpandTwoDigitYear(int year) {
    if (year >= 0 && year < 50) return year + 2000;
    if (year >= 50 && year < 100) return year + 1900;
    return year;
}

constexpr bool IsLeapYear(int fourDigitYear) {
    return (fourDigitYear % 4 == 0 && fourDigitYear % 100 != 0) || fourDigitYear % 400 == 0;
}

// 0 for a month outside 1..12.
constexpr int DaysInMonth(int fourDigitYear, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(fourDigitYear) ? 29 : kDays[month - 1];
}

// Whether a date with a four-digit year exists.
constexpr bool Exists(const CivilDate& date) {
    return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

// The weekday of a date that exists (Sakamoto's method), its year taken as written.
constexpr Weekday WeekdayOf(const CivilDate& date) {
    constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int y = date.month < 3 ? date.year - 1 : date.year;
    return static_cast<Weekday>((y + y / 4 - y / 100 + y / 400 + kOffsets[date.month - 1] + date.day) % 7);
}
