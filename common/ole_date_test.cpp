// The component's own date conversion, in front of the platform's: the same table natively and
// under Wine.
#include "common/ole_date.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct ToOleCase {
    int year, month, day;
    std::optional<double> expected;
};

TEST(ToOleDate, RefusesDatesThatDoNotExist) {
    const ToOleCase cases[] = {
        {2010, 3, 5, 40242},
        {1899, 12, 30, 0},
        {1899, 12, 29, -1},
        {100, 1, 1, -657434},
        {9999, 12, 31, 2958465},
        {2024, 2, 29, 45351},
        {2000, 2, 29, 36585},
        // The platform's two-digit window stays: 0-49 are 2000-2049, 50-99 are 1950-1999.
        {10, 3, 5, 40242},
        {49, 1, 1, 54424},
        {50, 1, 1, 18264},
        {0, 2, 29, 36585},  // 2000 is a leap year
        // What the platform would roll into a neighbouring date is refused.
        {0, 0, 0, std::nullopt},
        {2010, 2, 31, std::nullopt},
        {2010, 3, 0, std::nullopt},
        {2010, 0, 15, std::nullopt},
        {2010, 4, 31, std::nullopt},
        {2010, 2, 29, std::nullopt},
        {1900, 2, 29, std::nullopt},
        {2100, 2, 29, std::nullopt},
        {50, 2, 29, std::nullopt},  // 1950
        {2010, 13, 1, std::nullopt},
        {2010, 1, 32, std::nullopt},
        {10000, 1, 1, std::nullopt},
        {-1, 1, 1, std::nullopt},
        {2010, -1, 1, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto actual = ToOleDate({c.year, c.month, c.day});
        EXPECT_EQ(actual, c.expected) << c.day << "/" << c.month << "/" << c.year << " gave "
                                      << (actual ? std::to_string(*actual) : "nothing");
    }
}

TEST(ToOleDate, AddsTheTimeOfDay) {
    EXPECT_EQ(ToOleDate({2010, 1, 1}, 12), 40179.5);
    EXPECT_EQ(ToOleDate({1899, 12, 29}, 12), -1.5);
    EXPECT_EQ(ToOleDate({2010, 1, 1}, 24), std::nullopt);
    EXPECT_EQ(ToOleDate({2010, 1, 1}, 0, 60), std::nullopt);
    EXPECT_EQ(ToOleDate({2010, 1, 1}, 0, 0, 60), std::nullopt);
}

TEST(FromOleDate, SplitsADate) {
    const auto parts = FromOleDate(40242.75);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->year, 2010);
    EXPECT_EQ(parts->month, 3);
    EXPECT_EQ(parts->day, 5);
    EXPECT_EQ(WeekdayOf(*parts), Weekday::Friday);
    EXPECT_EQ(parts->hour, 18);
}

TEST(FromOleDate, WeekdayFollowsTheRoundedDate) {
    const auto parts = FromOleDate(45000.999995);  // rounds to Thursday 16 March 2023, 00:00
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->day, 16);
    EXPECT_EQ(WeekdayOf(*parts), Weekday::Thursday);
}

TEST(FromOleDate, OutsideThePlatformRangeGivesNothing) {
    EXPECT_FALSE(FromOleDate(2958466));
    EXPECT_FALSE(FromOleDate(-657435));
    EXPECT_FALSE(FromOleDate(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(FromOleDate(-std::numeric_limits<double>::infinity()));
    // The last second of 31 December 9999 rounds up into a year the platform does not take back.
    EXPECT_FALSE(FromOleDate(2958465.9999960554));
}

TEST(FromOleDate, NotANumberGivesNothing) {
    EXPECT_FALSE(FromOleDate(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(FromOleDate(-std::numeric_limits<double>::quiet_NaN()));
}

// Every day from 1 January 1900 to 31 December 2100 survives the round trip, and the weekdays
// advance by one each day.
TEST(OleDate, RoundTripsEveryDayOfTwoCenturies) {
    const double first = *ToOleDate({1900, 1, 1});
    const double last = *ToOleDate({2100, 12, 31});
    int expectedWeekday = 1;  // 1 January 1900 was a Monday
    for (double date = first; date <= last; date += 1) {
        const auto parts = FromOleDate(date);
        ASSERT_TRUE(parts) << date;
        ASSERT_EQ(static_cast<int>(WeekdayOf(*parts)), expectedWeekday) << date;
        ASSERT_EQ(ToOleDate(*parts), date);
        expectedWeekday = (expectedWeekday + 1) % 7;
    }
}

}  // namespace
