#pragma once
#include <optional>

#include "common/civil_date.h"

// Calendar days as the banking-day calendar reasons about them.

// A whole calendar day, numbered like the OLE date of its midnight (30 December 1899 is day 0).
// OLE dates before that day count their days backwards but their time of day forwards (-1.25 is
// 29 December 1899, 06:00), so a day is the truncation of an OLE date, not its floor. The number is
// kept as a double so that any OLE date the caller hands over, however absurd, has a day to compare.
class CalendarDay {
public:
    // The calendar day of an OLE date, its time of day dropped.
    static CalendarDay Of(double oleDate);

    double Number() const { return number_; }
    // The OLE date of this day at a time of day (0 <= timeOfDay < 1).
    double At(double timeOfDay) const;

    CalendarDay operator+(int days) const { return CalendarDay(number_ + days); }
    CalendarDay operator-(int days) const { return CalendarDay(number_ - days); }
    friend bool operator==(CalendarDay a, CalendarDay b) { return a.number_ == b.number_; }
    friend bool operator!=(CalendarDay a, CalendarDay b) { return !(a == b); }
    friend bool operator<(CalendarDay a, CalendarDay b) { return a.number_ < b.number_; }
    friend bool operator>(CalendarDay a, CalendarDay b) { return b < a; }

private:
    explicit CalendarDay(double number) : number_(number) {}
    double number_;
};

// The time of day of an OLE date as a fraction of a day, 0 <= t < 1, whatever the date's sign.
double TimeOfDay(double oleDate);

// The date of a day (four-digit year), through the platform's conversion; nothing for a day
// outside the platform's range (1 January 100 to 31 December 9999).
std::optional<CivilDate> Split(CalendarDay day);
