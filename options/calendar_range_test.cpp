// Every day of two centuries, checked against invariants and against the holidays built another way:
// as each year's list of dates rather than as rules by month.
#include "options/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "options/calendar_test_helpers.h"

namespace {

using calendar_test::Date;
using calendar_test::Describe;
using calendar_test::Show;

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;

enum Weekdays { kSunday, kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday };

// Day 0, 30 December 1899, was a Saturday.
int WeekdayOf(double date) {
    const long long day = static_cast<long long>(date);
    return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

bool IsWorkingDay(double date) {
    const int weekday = WeekdayOf(date);
    return weekday != kSaturday && weekday != kSunday;
}

double EasterByMeeus(int year) {
    const int a = year % 19, b = year / 100, c = year % 100;
    const int h = (19 * a + b - b / 4 - (b - (b + 8) / 25 + 1) / 3 + 15) % 30;
    const int l = (32 + 2 * (b % 4) + 2 * (c / 4) - h - c % 4) % 7;
    const int n = h + l - 7 * ((a + 11 * h + 22 * l) / 451) + 114;
    return Date(year, n / 31, n % 31 + 1);
}

double MondayOnOrAfter(double date) { return date + (kMonday - WeekdayOf(date) + 7) % 7; }
double MondayOnOrBefore(double date) { return date - (WeekdayOf(date) - kMonday + 7) % 7; }

// The year's bank holidays, with the advance where the holiday alone decides it.
std::map<double, int> BankHolidaysOf(int year) {
    constexpr int kFromTable = -1;
    std::map<double, int> holidays;
    holidays[Date(year, 1, 1)] = kFromTable;
    const double second = Date(year, 1, 2);
    if (!IsWorkingDay(second) || WeekdayOf(second) == kMonday) holidays[second] = kFromTable;
    // New Year's Day on a Saturday moves to Monday 3 January.
    if (WeekdayOf(Date(year, 1, 1)) == kSaturday) holidays[Date(year, 1, 3)] = 1;
    const double easter = EasterByMeeus(year);
    holidays[easter - 2] = 4;
    holidays[easter + 1] = 1;
    holidays[MondayOnOrAfter(Date(year, 5, 1))] = 1;
    holidays[MondayOnOrBefore(Date(year, 5, 31))] = 1;
    holidays[MondayOnOrBefore(Date(year, 8, 31))] = 1;
    for (const int day : {25, 26}) {
        if (IsWorkingDay(Date(year, 12, day))) holidays[Date(year, 12, day)] = kFromTable;
    }
    for (const int day : {27, 28}) {
        const int weekday = WeekdayOf(Date(year, 12, day));
        if (weekday == kMonday || weekday == kTuesday) holidays[Date(year, 12, day)] = kFromTable;
    }
    return holidays;
}

TEST(CalendarRange, EveryDayAgreesWithTheYearsListOfHolidays) {
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const auto holidays = BankHolidaysOf(year);
        int mondayHolidays = 0;
        for (double date = Date(year, 1, 1); date <= Date(year, 12, 31); ++date) {
            const BankingDay answer = IsBankingDay(date);
            const auto holiday = holidays.find(date);
            if (holiday != holidays.end()) {
                ASSERT_EQ(answer.kind, NonBankingKind::BankHoliday) << Show(date) << ": " << Describe(answer);
                if (holiday->second > 0) {
                    ASSERT_EQ(answer.advance, holiday->second) << Show(date);
                }
                if (answer.advance == 1 && WeekdayOf(date) == kMonday) ++mondayHolidays;
            } else if (IsWorkingDay(date)) {
                ASSERT_TRUE(answer.banking) << Show(date) << ": " << Describe(answer);
            } else {
                ASSERT_EQ(answer.kind, NonBankingKind::Weekend) << Show(date) << ": " << Describe(answer);
            }
        }
        // Easter Monday and the three Mondays of May and August, plus 1 or 2 January, 26 or 28
        // December when they are the Monday after a weekend holiday.
        ASSERT_GE(mondayHolidays, 4) << year;
    }
}

TEST(CalendarRange, EveryDaysAnswerIsConsistent) {
    for (double date = Date(kFirstYear, 1, 1); date <= Date(kLastYear, 12, 31); ++date) {
        const BankingDay answer = IsBankingDay(date);
        const int weekday = WeekdayOf(date);
        const bool weekend = weekday == kSaturday || weekday == kSunday;
        ASSERT_EQ(answer.banking, answer.kind == NonBankingKind::None) << Show(date) << ": " << Describe(answer);
        ASSERT_EQ(answer.banking, answer.advance == 0) << Show(date) << ": " << Describe(answer);
        if (!answer.banking) {
            ASSERT_GE(answer.advance, 1) << Show(date);
            ASSERT_LE(answer.advance, 4) << Show(date);
        }
        if (answer.kind == NonBankingKind::Weekend) {
            ASSERT_TRUE(weekend) << Show(date);
        }
        if (weekend) {
            ASSERT_FALSE(answer.banking) << Show(date);
        }
        // The time of day never matters.
        const BankingDay late = IsBankingDay(date + 86399.0 / 86400);
        ASSERT_EQ(Describe(late), Describe(answer)) << Show(date);
        // An ordinary weekend day advances to the Monday.
        const auto parts = FromOleDate(date);
        const bool special =
            (parts->month == 1 && parts->day <= 2) || (parts->month == 12 && parts->day >= 25 && parts->day <= 28);
        if (weekend && !special) {
            ASSERT_EQ(answer.advance, weekday == kSaturday ? 2 : 1) << Show(date);
        }
    }
}

int BankingDaysAfter(double today, double until) {
    int count = 0;
    for (double day = std::trunc(today) + 1; day <= std::trunc(until); ++day) count += IsBankingDay(day).banking;
    return count;
}

int WorkingDaysAfter(double today, double until) {
    int count = 0;
    for (double day = std::trunc(today) + 1; day <= std::trunc(until); ++day) count += IsWorkingDay(day);
    return count;
}

// The default date from every day of two centuries, at a time of day that must survive.
TEST(CalendarRange, NextAvailableProcessingDateFromEveryDay) {
    const double timeOfDay = (13 * 3600 + 37 * 60 + 5) / 86400.0;
    for (double today = Date(kFirstYear, 1, 1); today <= Date(kLastYear, 12, 31); ++today) {
        const double now = today + timeOfDay;
        const double next = NextAvailableProcessingDate(now);
        ASSERT_NE(next, now) << "no banking day found from " << Show(now);
        ASSERT_TRUE(IsBankingDay(next).banking) << Show(now) << " gave " << Show(next);
        ASSERT_NEAR(next - std::trunc(next), timeOfDay, 1e-9) << Show(now) << " gave " << Show(next);
        // Never sooner than the second working day, and, with one exception, the second banking
        // day or later. From a Wednesday 24 December the two holidays counted land the candidate on
        // the Sunday, whose advance reaches Monday 29th: the first banking day.
        ASSERT_GE(WorkingDaysAfter(now, next), 2) << Show(now) << " gave " << Show(next);
        const auto parts = FromOleDate(now);
        const bool christmasEveOnWednesday = parts->month == 12 && parts->day == 24 && WeekdayOf(now) == kWednesday;
        ASSERT_GE(BankingDaysAfter(now, next), christmasEveOnWednesday ? 1 : 2) << Show(now) << " gave " << Show(next);
        ASSERT_LE(next - now, 14) << Show(now) << " gave " << Show(next);
    }
}

// Outside the platform range there is nothing to judge: no banking day, no advance, no kind.
TEST(CalendarRange, DaysOutsideThePlatformRangeAreNeverBankingDays) {
    const double dates[] = {Date(9999, 12, 31) + 1, Date(9999, 12, 31) + 1000, Date(100, 1, 1) - 1, 1e300, -1e300,
                            std::nan("")};
    for (const double date : dates) {
        EXPECT_EQ(Describe(IsBankingDay(date)), "{banking false, advance 0, kind 0}") << date;
    }
    EXPECT_EQ(Describe(IsBankingDay(Date(9999, 12, 31, 23, 59, 59))), "banking");  // a Friday
    EXPECT_EQ(Describe(IsBankingDay(Date(100, 1, 1))), "holiday 1");               // a Friday
}

}  // namespace
