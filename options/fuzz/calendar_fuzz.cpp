// Fuzz target: the date conversions and the banking-day calendar on any doubles, any date parts
// and any clock reading the platform can give, and the holiday list reader on any text. Nothing
// raises but a list's refusal, which names the file and the line; a date that converts one way
// converts back to the same day and second; the calendar's answers agree with each other, with a
// list as without one.
#include <cmath>
#include <cstdio>
#include <exception>
#include <sstream>

#include "common/errors.h"
#include "common/ole_date.h"
#include "options/calendar.h"
#include "platform/hook.h"
#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "tests/support/fuzz_check.h"
#include "tests/support/fuzz_input.h"

namespace {

using Problems = std::vector<std::string>;

// Half a second, the platform's rounding, and a little for the arithmetic.
constexpr double kSecondRounding = 0.5 / 86400 + 1e-9;

std::string Text(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The moment an OLE date stands for, on one line: before 30 December 1899 the days count backwards
// but the time of day forwards, so -1.25 is 06:00 of day -1 and -0.25 is 06:00 of day 0, as 0.25 is.
double Moment(double date) { return std::trunc(date) + std::fabs(date - std::trunc(date)); }

// 30 December 1899, day 0, was a Saturday; days before it count backwards.
Weekday WeekdayOfDayNumber(double midnight) {
    const auto day = static_cast<long long>(std::trunc(midnight));
    return static_cast<Weekday>(((day % 7) + 7 + 6) % 7);
}

void CheckSplitAndBack(double date, Problems& problems) {
    const auto parts = FromOleDate(date);
    if (!parts) return;
    const auto midnight = ToOleDate({parts->year, parts->month, parts->day});
    const auto again = ToOleDate({parts->year, parts->month, parts->day}, parts->hour, parts->minute, parts->second);
    if (!midnight || !again) {
        problems.push_back(Text(date) + " splits into a date that does not convert back");
        return;
    }
    if (std::fabs(Moment(*again) - Moment(date)) > kSecondRounding) {
        problems.push_back(Text(date) + " comes back as " + Text(*again));
    }
    if (WeekdayOf(*parts) != WeekdayOfDayNumber(*midnight)) problems.push_back(Text(date) + " has the wrong weekday");
}

void CheckPartsAndBack(FuzzInput& in, Problems& problems) {
    const CivilDate date{in.Raw<std::int32_t>(), in.Raw<std::int32_t>(), in.Raw<std::int32_t>()};
    const int hour = in.Raw<std::int32_t>(), minute = in.Raw<std::int32_t>(), second = in.Raw<std::int32_t>();
    const auto ole = ToOleDate(date, hour, minute, second);
    if (!ole) return;
    const auto parts = FromOleDate(*ole);
    if (!parts || parts->year != ExpandTwoDigitYear(date.year) || parts->month != date.month || parts->day != date.day ||
        parts->hour != hour || parts->minute != minute || parts->second != second) {
        problems.push_back(std::to_string(date.year) + "-" + std::to_string(date.month) + "-" + std::to_string(date.day) +
                           " converts to " + Text(*ole) + ", which does not split back");
    }
}

void CheckCalendar(double date, Problems& problems) {
    const BankingDay day = IsBankingDay(date);
    if (day.banking ? (day.advance != 0 || day.kind != NonBankingKind::None) : (day.advance < 0 || day.advance > 4)) {
        problems.push_back(Text(date) + " has banking " + std::to_string(day.banking) + ", advance " +
                           std::to_string(day.advance));
    }
    const double next = NextAvailableProcessingDate(date);
    if (std::isnan(date) || next == date) return;
    if (!IsBankingDay(next).banking || !(next > date)) {
        problems.push_back("the next processing date after " + Text(date) + " is " + Text(next));
    }
}

// A reading the clock can give: any existing date and time of the platform's years.
CivilDateTime ClockReading(FuzzInput& in) {
    CivilDateTime now;
    now.year = static_cast<int>(100 + in.Below(9900));
    now.month = static_cast<int>(1 + in.Below(12));
    now.day = static_cast<int>(1 + in.Below(static_cast<unsigned>(DaysInMonth(now.year, now.month))));
    now.hour = static_cast<int>(in.Below(24));
    now.minute = static_cast<int>(in.Below(60));
    now.second = static_cast<int>(in.Below(60));
    return now;
}

void CheckDateChecks(FuzzInput& in, double date, Problems& problems) {
    const CivilDateTime now = ClockReading(in);
    const platform::ScopedHook<CivilDateTime()> clock(platform::LocalTimeHook(), [now] { return now; });
    int messages = 0;
    const platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> boxes(
        platform::MessageBoxHook(), [&](const platform::MessageBoxRequest&) {
            ++messages;
            return platform::MessageAnswer::Ok;
        });
    const bool accepted = ValidateBankingDate(date, nullptr);
    if (accepted == (messages > 0)) problems.push_back(Text(date) + ": a refusal without its message or the reverse");
    messages = 0;
    const bool beyond = IsBeyondProcessingHorizon(date, nullptr);
    if (beyond != (messages > 0)) problems.push_back(Text(date) + ": the horizon's answer and its message disagree");
}

// With the list the bytes left over spell, if it reads: the answers still agree with each other and
// with what the list says of the day.
void CheckWithList(const std::string& text, double date, Problems& problems) {
    std::istringstream in(text);
    HolidayList listed;
    try {
        listed = HolidayList::Parse(in, "HOLIDAYS.TXT");
    } catch (const HolidayListError& error) {
        if (std::string(error.what()).rfind("HOLIDAYS.TXT line ", 0) != 0 || error.Line() == 0)
            problems.push_back(std::string("a refusal that names no line: ") + error.what());
        return;
    }
    const BankingDay day = IsBankingDay(date, listed);
    const bool consistent = day.banking ? day.advance == 0 && day.kind == NonBankingKind::None
                                        : day.advance >= 0 && day.advance <= 7;
    if (!consistent) problems.push_back(Text(date) + " with the list has advance " + std::to_string(day.advance));
    const auto listedAs = listed.Find(CalendarDay::Of(date));
    if (listedAs == ListedAs::Closed && day.kind != NonBankingKind::BankHoliday && FromOleDate(date))
        problems.push_back(Text(date) + " is listed closed but is no bank holiday");
    const double next = NextAvailableProcessingDate(date, listed);
    if (std::isnan(date) || next == date) return;
    if (!IsBankingDay(next, listed).banking || !(next > date))
        problems.push_back("with the list the next processing date after " + Text(date) + " is " + Text(next));
}

}  // namespace

std::vector<std::string> FuzzCheck(std::string_view input) {
    Problems problems;
    try {
        FuzzInput in(input);
        const double date = in.Raw<double>();
        CheckSplitAndBack(date, problems);
        CheckCalendar(date, problems);
        CheckPartsAndBack(in, problems);
        const int year = static_cast<int>(100 + in.Below(9900));
        const auto easter = FromOleDate(EasterSunday(year));
        if (!easter || WeekdayOf(*easter) != Weekday::Sunday || easter->year != year || easter->month < 3 || easter->month > 4) {
            problems.push_back("Easter Sunday of " + std::to_string(year) + " is no Sunday in March or April");
        }
        CheckDateChecks(in, date, problems);
        CheckWithList(in.Rest(), date, problems);
    } catch (const CAtlException& e) {
        problems.push_back("raised HRESULT " + std::to_string(e.Result()));
    } catch (const std::exception& e) {
        problems.push_back(std::string("raised: ") + e.what());
    } catch (...) {
        problems.push_back("raised something that is no std::exception");
    }
    return problems;
}
