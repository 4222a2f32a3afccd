#include "options/calendar.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/errors.h"
#include "options/calendar_test_helpers.h"
#include "platform/hook.h"
#include "platform/local_clock.h"

namespace {

using calendar_test::Date;
using calendar_test::Describe;
using calendar_test::Show;

int WeekdayOf(double date) { return static_cast<int>(::WeekdayOf(*FromOleDate(date))); }

// A year from 2000 on in which the day exists and falls on the weekday.
int YearWith(int month, int day, int weekday) {
    for (int year = 2000;; ++year) {
        const auto date = ToOleDate({year, month, day});
        if (date && WeekdayOf(*date) == weekday) return year;
    }
}

// One row of the rule table: the answers from Sunday to Saturday as the table writes them,
// "B" for banking, "H2" for holiday 2, "W3" for weekend 3.
struct TableRow {
    int month, day;
    const char* answers;
};

std::vector<std::string> Expected(const char* answers) {
    std::vector<std::string> expected;
    std::istringstream words(answers);
    for (std::string word; words >> word;) {
        if (word == "B") expected.push_back("banking");
        else expected.push_back((word[0] == 'H' ? "holiday " : "weekend ") + word.substr(1));
    }
    return expected;
}

void ExpectRowOnEveryWeekday(const TableRow& row) {
    const auto expected = Expected(row.answers);
    ASSERT_EQ(expected.size(), 7u) << row.answers;
    for (int weekday = 0; weekday < 7; ++weekday) {
        const double date = Date(YearWith(row.month, row.day, weekday), row.month, row.day);
        EXPECT_EQ(Describe(IsBankingDay(date)), expected[weekday]) << Show(date);
    }
}

TEST(IsBankingDay, FollowsTheRuleTableOnEveryWeekdayOfEachSpecialDay) {
    const TableRow rows[] = {
        {1, 1, "H2 H1 H1 H1 H1 H1 H3"},
        {1, 2, "H2 H1 B  B  B  B  H2"},
        {1, 3, "W1 H1 B  B  B  B  W2"},  // the Monday: the substitute for a Saturday New Year's Day
        {12, 25, "W3 H2 H2 H2 H4 H4 W4"},
        {12, 26, "W3 H2 H1 H1 H1 H3 W3"},
        {12, 27, "W2 H2 H1 B  B  B  W2"},
        {12, 28, "W1 H1 H1 B  B  B  W2"},
    };
    for (const auto& row : rows) ExpectRowOnEveryWeekday(row);
}

// The first and last Monday of May and the last Monday of August, and their neighbours.
TEST(IsBankingDay, MondayHolidaysOnEveryWeekdayOfTheirWeeks) {
    const TableRow rows[] = {
        {5, 1, "W1 H1 B B B B W2"},  {5, 7, "W1 H1 B B B B W2"},  {5, 8, "W1 B B B B B W2"},
        {5, 24, "W1 B B B B B W2"},  {5, 25, "W1 H1 B B B B W2"}, {5, 31, "W1 H1 B B B B W2"},
        {8, 1, "W1 B B B B B W2"},   {8, 7, "W1 B B B B B W2"},   {8, 24, "W1 B B B B B W2"},
        {8, 25, "W1 H1 B B B B W2"}, {8, 31, "W1 H1 B B B B W2"},
    };
    for (const auto& row : rows) ExpectRowOnEveryWeekday(row);
}

TEST(IsBankingDay, OtherDaysFollowTheWeekdayRuleOnEveryWeekday) {
    const TableRow rows[] = {
        {1, 4, "W1 B B B B B W2"},   {1, 31, "W1 B B B B B W2"},  {2, 29, "W1 B B B B B W2"},
        {6, 1, "W1 B B B B B W2"},   {9, 1, "W1 B B B B B W2"},   {11, 30, "W1 B B B B B W2"},
        {12, 24, "W1 B B B B B W2"}, {12, 29, "W1 B B B B B W2"}, {12, 31, "W1 B B B B B W2"},
    };
    for (const auto& row : rows) ExpectRowOnEveryWeekday(row);
}

// Good Friday is always a Friday and Easter Monday a Monday; the rest of Easter week is ordinary.
TEST(IsBankingDay, RecognisesEasterInMarchAndInApril) {
    const double sundays[] = {Date(2024, 3, 31), Date(2016, 3, 27), Date(2008, 3, 23), Date(2025, 4, 20),
                              Date(2011, 4, 24), Date(1943, 4, 25), Date(1818, 3, 22), Date(2285, 3, 22)};
    const struct {
        int offset;  // from Easter Sunday
        const char* expected;
    } week[] = {
        {-9, "banking"},  // the Friday a week earlier
        {-3, "banking"},   {-2, "holiday 4"}, {-1, "weekend 2"}, {0, "weekend 1"},
        {1, "holiday 1"},  {2, "banking"},    {7, "weekend 1"},
    };
    for (const double sunday : sundays) {
        for (const auto& day : week) {
            const double date = sunday + day.offset;
            EXPECT_EQ(Describe(IsBankingDay(date)), day.expected)
                << Show(date) << " (Easter Sunday " << Show(sunday) << ")";
        }
    }
}

struct EdgeCase {
    double date;
    const char* expected;
};

TEST(IsBankingDay, EdgeCases) {
    const EdgeCase cases[] = {
        // The calendar day decides, whatever the time of day.
        {Date(2024, 3, 29, 23, 59), "holiday 4"},
        {Date(2024, 3, 29, 23, 59, 59) + 0.99 / 86400, "holiday 4"},
        {Date(2024, 3, 28, 23, 59, 59), "banking"},
        {Date(2022, 1, 1), "holiday 3"},   // Saturday
        {Date(2023, 1, 1), "holiday 2"},   // Sunday
        {Date(2021, 1, 1), "holiday 1"},   // Friday
        {Date(2023, 1, 2), "holiday 1"},   // Monday
        {Date(2024, 1, 2), "banking"},     // Tuesday
        {Date(2022, 12, 25), "weekend 3"}, // Sunday
        {Date(2021, 12, 25), "weekend 4"}, // Saturday
        {Date(2025, 12, 25), "holiday 4"}, // Thursday
        {Date(2026, 12, 25), "holiday 4"}, // Friday
        {Date(2024, 12, 27), "banking"},   // Friday
        {Date(2023, 12, 27), "banking"},   // Wednesday
        {Date(2022, 12, 28), "banking"},   // Wednesday
        {Date(2023, 12, 28), "banking"},   // Thursday
        {Date(2024, 4, 1), "holiday 1"},   // Easter Monday in April
        {Date(2024, 3, 29), "holiday 4"},  // Good Friday in March
        {Date(2024, 3, 30), "weekend 2"},  // Easter Saturday
        {Date(2024, 3, 31), "weekend 1"},  // Easter Sunday
        {Date(2023, 5, 8), "banking"},     // Monday 8 May
        {Date(2021, 5, 24), "banking"},    // Monday 24 May
        {Date(2020, 5, 25), "holiday 1"},
        {Date(2018, 5, 7), "holiday 1"},
        {Date(2020, 8, 24), "banking"},
        {Date(2025, 8, 25), "holiday 1"},
        // Before 30 December 1899 a time of day still belongs to the day it is on: Tuesday
        // 26 December 1899 at noon is not Monday the 25th.
        {-4.5, "holiday 1"},
        {-5, "holiday 2"},
    };
    for (const auto& c : cases) EXPECT_EQ(Describe(IsBankingDay(c.date)), c.expected) << Show(c.date);
}

struct KnownEaster {
    int year, month, day;
};

TEST(EasterSunday, MatchesKnownDates) {
    const KnownEaster cases[] = {
        {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},  {2019, 4, 21}, {2020, 4, 12}, {2021, 4, 4},
        {2022, 4, 17}, {2023, 4, 9},  {2000, 4, 23}, {1961, 4, 2},  {1900, 4, 15}, {2100, 3, 28},
        {2008, 3, 23}, {2011, 4, 24}, {1818, 3, 22}, {2285, 3, 22}, {1943, 4, 25}, {2038, 4, 25},
    };
    for (const auto& c : cases) {
        const double easter = EasterSunday(c.year);
        EXPECT_EQ(easter, Date(c.year, c.month, c.day)) << c.year << " gave " << Show(easter);
        EXPECT_EQ(WeekdayOf(easter), 0) << c.year;
    }
}

// The same feast by another route: the Meeus/Jones/Butcher formulation.
KnownEaster MeeusEaster(int year) {
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return {year, n / 31, n % 31 + 1};
}

TEST(EasterSunday, AgreesWithAnIndependentFormulationInEveryYear) {
    for (int year = 100; year <= 9999; ++year) {
        const KnownEaster expected = MeeusEaster(year);
        const double easter = EasterSunday(year);
        ASSERT_EQ(easter, Date(expected.year, expected.month, expected.day)) << year << " gave " << Show(easter);
        ASSERT_EQ(WeekdayOf(easter), 0) << year;
        ASSERT_GE(easter, Date(year, 3, 22)) << year;
        ASSERT_LE(easter, Date(year, 4, 25)) << year;
    }
}

TEST(EasterSunday, RefusesYearsTheDatesCannotHold) {
    for (const int year : {99, 0, -1, 10000}) {
        try {
            EasterSunday(year);
            ADD_FAILURE() << year << " gave a date";
        } catch (const CAtlException& e) {
            EXPECT_EQ(e.Result(), hresult::kInvalidArg) << year;
        }
    }
}

struct ProcessingCase {
    double now;
    double expected;
};

TEST(NextAvailableProcessingDate, WorkedExamples) {
    const ProcessingCase cases[] = {
        {Date(2024, 5, 20), Date(2024, 5, 22)},
        {Date(2024, 5, 24), Date(2024, 5, 29)},
        {Date(2024, 3, 27), Date(2024, 4, 2)},
        {Date(2021, 12, 23), Date(2021, 12, 29)},
        // Saturday 1, Sunday 2 and Monday 3 January all count as holidays.
        {Date(2021, 12, 31), Date(2022, 1, 7)},
        // Christmas Day on a Thursday: the two holidays push the candidate onto the Sunday, which
        // advances to the Monday.
        {Date(2025, 12, 24), Date(2025, 12, 29)},
        {Date(2025, 12, 23), Date(2025, 12, 29)},
        // Today itself is not counted, holiday or not.
        {Date(2024, 3, 29), Date(2024, 4, 3)},  // Good Friday
        {Date(2024, 1, 1), Date(2024, 1, 3)},   // New Year's Day on a Monday
    };
    for (const auto& c : cases) {
        const double next = NextAvailableProcessingDate(c.now);
        EXPECT_EQ(next, c.expected) << Show(c.now) << " gave " << Show(next);
    }
}

TEST(NextAvailableProcessingDate, BaseOffsetForEachWeekdayOfAnOrdinaryWeek) {
    // 3 to 9 June 2024: no holiday anywhere near.
    const ProcessingCase cases[] = {
        {Date(2024, 6, 3), Date(2024, 6, 5)},   // Monday
        {Date(2024, 6, 4), Date(2024, 6, 6)},   // Tuesday
        {Date(2024, 6, 5), Date(2024, 6, 7)},   // Wednesday
        {Date(2024, 6, 6), Date(2024, 6, 10)},  // Thursday
        {Date(2024, 6, 7), Date(2024, 6, 11)},  // Friday
        {Date(2024, 6, 8), Date(2024, 6, 11)},  // Saturday
        {Date(2024, 6, 9), Date(2024, 6, 11)},  // Sunday
    };
    for (const auto& c : cases) {
        const double next = NextAvailableProcessingDate(c.now);
        EXPECT_EQ(next, c.expected) << Show(c.now) << " gave " << Show(next);
    }
}

TEST(NextAvailableProcessingDate, KeepsTheTimeOfDay) {
    const ProcessingCase cases[] = {
        {Date(2024, 5, 24, 16, 45, 12), Date(2024, 5, 29, 16, 45, 12)},
        {Date(2024, 3, 27, 23, 59, 59), Date(2024, 4, 2, 23, 59, 59)},
        {Date(2024, 6, 3, 0, 0, 1), Date(2024, 6, 5, 0, 0, 1)},
        // Across the epoch the time of day still counts forwards: Friday 29 December 1899, 06:00.
        {Date(1899, 12, 29, 6), Date(1900, 1, 3, 6)},
    };
    for (const auto& c : cases) {
        const double next = NextAvailableProcessingDate(c.now);
        EXPECT_NEAR(next, c.expected, 1e-9) << Show(c.now) << " gave " << Show(next);
    }
}

// When even the third candidate cannot be a banking day the default is now. At the platform's last
// days the candidates lie past its range, where no day is a banking day.
TEST(NextAvailableProcessingDate, FallsBackToNowWhenNoCandidateIsABankingDay) {
    const double cases[] = {Date(9999, 12, 31, 9, 30), Date(9999, 12, 30), Date(9999, 12, 30, 23, 59, 59)};
    for (const double now : cases) {
        EXPECT_EQ(NextAvailableProcessingDate(now), now) << Show(now);
    }
    // The last day from which the candidates still fit: Wednesday 29 December 9999 gives Friday.
    EXPECT_EQ(NextAvailableProcessingDate(Date(9999, 12, 29)), Date(9999, 12, 31));
}

TEST(NextAvailableProcessingDate, OutsideThePlatformRangeIsNow) {
    const double cases[] = {Date(9999, 12, 31) + 1, Date(100, 1, 1) - 1.5, 1e300};
    for (const double now : cases) EXPECT_EQ(NextAvailableProcessingDate(now), now) << now;
}

CivilDateTime ClockReading(int year, int month, int day, int hour, int minute, int second) {
    return {{year, month, day}, hour, minute, second};
}

TEST(CurrentLocalDate, ReadsTheClockToTheSecond) {
    platform::ScopedHook<CivilDateTime()> clock(platform::LocalTimeHook(),
                                                [] { return ClockReading(2024, 5, 20, 13, 45, 30); });
    EXPECT_EQ(CurrentLocalDate(), Date(2024, 5, 20, 13, 45, 30));
}

TEST(CurrentLocalDate, RefusesAClockReadingThatIsNoDate) {
    platform::ScopedHook<CivilDateTime()> clock(platform::LocalTimeHook(),
                                                [] { return ClockReading(2024, 2, 30, 12, 0, 0); });
    EXPECT_THROW(CurrentLocalDate(), CAtlException);
}

TEST(CurrentLocalDate, FollowsTheRealClock) {
    const auto before = platform::LocalTime();
    const double now = CurrentLocalDate();
    const auto after = platform::LocalTime();
    const double earliest = Date(before.year, before.month, before.day, before.hour, before.minute, before.second);
    const double latest = Date(after.year, after.month, after.day, after.hour, after.minute, after.second);
    EXPECT_GE(now, earliest) << Show(now);
    EXPECT_LE(now, latest) << Show(now);
}

}  // namespace
