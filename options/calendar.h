#pragma once
#include "options/holiday_list.h"
#include "platform/message_box.h"

// The banking-day calendar: weekends, the bank holidays and their substitute days, the default
// processing date and the two checks on a chosen date. Dates are OLE Automation dates. Each answer
// follows the rule and, where one is given, an administrator's list of the days the rule gets
// wrong; without a list the rule alone decides.

enum class NonBankingKind {
    None = 0,
    BankHoliday = 1,
    Weekend = 2,
};

struct BankingDay {
    bool banking = false;
    // Days to the next likely banking day: 0 on a banking day, else 1 to 4 by the rule, and up to 7
    // where a listed day changes the way there.
    int advance = 0;
    NonBankingKind kind = NonBankingKind::None;
};

// The current local date and time, to the second. A clock reading that is no date raises
// CAtlException(E_FAIL).
double CurrentLocalDate();

// The answer when no day is listed.
const HolidayList& NoListedDays();

// Judged by the calendar day of `date`; its time of day is ignored. A day outside the platform's
// range (1 January 100 to 31 December 9999) is never a banking day: banking false, advance 0, kind None.
// A day listed closed is a bank holiday, and a weekday listed open a banking day. The advance of a
// listed closed day, and of any non-banking day whose advance by the rule would cross a listed day,
// is the number of days to the next banking day by the rule and the list, at most 7.
BankingDay IsBankingDay(double date, const HolidayList& listed = NoListedDays());

// Midnight of Easter Sunday of the Gregorian calendar, for the years 100 to 9999; any other year
// raises CAtlException(E_INVALIDARG).
double EasterSunday(int year);

// The default processing date for a run started at `now`; it keeps the time of day of `now`. When no
// candidate is a banking day (only at the end of the platform's range) it is `now` itself.
double NextAvailableProcessingDate(double now, const HolidayList& listed = NoListedDays());

// Refuses a date before today or on a non-banking day, each with its message box. A day past the
// platform's range is refused with the message of IsBeyondProcessingHorizon.
bool ValidateBankingDate(double date, platform::WindowHandle owner, const HolidayList& listed = NoListedDays());

// True, after its message box, when the date lies more than 45 days after today.
bool IsBeyondProcessingHorizon(double date, platform::WindowHandle owner);

// How far ahead a processing date may lie: today + 45 days is accepted, a day more is not.
constexpr int kProcessingHorizonDays = 45;

// The two bounds of the checks above, by calendar day and without a message, against a given today.
bool IsBeforeToday(double date, double today);
bool IsBeyondHorizon(double date, double today);
