#pragma once
#include <optional>

// OLE Automation dates: days since 30 December 1899, the fraction being the time of day.
//
// The component only ever means dates that exist, while the platform's conversion quietly rolls
// impossible ones into their neighbours (31 February 2010 becomes 3 March, 0/0/0 becomes
// 30 November 1999). These conversions sit in front of it and refuse what does not exist.

struct CivilDate {
    int year = 0;   // 0-49 and 50-99 are read as 2000-2049 and 1950-1999, as the platform does
    int month = 0;  // 1..12
    int day = 0;    // 1..last day of the month
};

struct CivilDateTime {
    int year = 0;  // four digits
    int month = 0;
    int day = 0;
    int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The four-digit year that the platform reads for a year as written.
int ExpandTwoDigitYear(int year);

bool IsLeapYear(int fourDigitYear);
int DaysInMonth(int fourDigitYear, int month);

// Midnight of an existing date and its time of day; nothing for a date that does not exist or
// lies outside the platform's years 100 to 9999, or for a time of day outside 00:00:00..23:59:59.
std::optional<double> ToOleDate(const CivilDate& date, int hour = 0, int minute = 0, int second = 0);

// The parts of an OLE date (rounded to the second, as the platform does), or nothing outside
// the platform's range. The weekday is that of the date returned.
std::optional<CivilDateTime> FromOleDate(double date);
