#include "options/calendar_day.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "options/calendar_test_helpers.h"

namespace {

using calendar_test::Date;

struct DayCase {
    double date;
    double day;
    double timeOfDay;
};

// Before 30 December 1899 the day counts backwards and the time of day forwards.
TEST(CalendarDay, IsTheDayTheDateNamesOnEitherSideOfTheEpoch) {
    const DayCase cases[] = {
        {45380.75, 45380, 0.75},  // 29 March 2024, 18:00
        {45380, 45380, 0},
        {0.25, 0, 0.25},
        {0, 0, 0},
        {-0.5, 0, 0.5},  // also 30 December 1899, 12:00
        {-1, -1, 0},
        {-1.25, -1, 0.25},  // 29 December 1899, 06:00 (the floor would name the 28th)
        {-4.5, -4, 0.5},
        {-657434.5, -657434, 0.5},
        {2958465.999988426, 2958465, 0.999988426},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CalendarDay::Of(c.date).Number(), c.day) << c.date;
        EXPECT_NEAR(TimeOfDay(c.date), c.timeOfDay, 1e-9) << c.date;
    }
}

TEST(CalendarDay, PutsATimeOfDayBackOnTheDay) {
    const double dates[] = {45380.75, 45380, 0.25, -1, -1.25, -4.5, -657434.5, 2958465.5, 1.0 / 3};
    for (const double date : dates) {
        EXPECT_EQ(CalendarDay::Of(date).At(TimeOfDay(date)), date) << date;
    }
    // Moving a day keeps its time of day, across the epoch too.
    EXPECT_EQ((CalendarDay::Of(-1.25) + 2).At(0.25), 1.25);
    EXPECT_EQ((CalendarDay::Of(1.25) - 3).At(0.25), -2.25);
    EXPECT_EQ(CalendarDay::Of(-0.5).At(0.5), 0.5);
}

TEST(CalendarDay, ComparesByDay) {
    EXPECT_EQ(CalendarDay::Of(45380.1), CalendarDay::Of(45380.9));
    EXPECT_LT(CalendarDay::Of(45380.9), CalendarDay::Of(45381));
    EXPECT_GT(CalendarDay::Of(-1.9), CalendarDay::Of(-2));
    EXPECT_EQ(CalendarDay::Of(-1.9), CalendarDay::Of(-1));
    EXPECT_NE(CalendarDay::Of(45380) + 1, CalendarDay::Of(45380));
}

TEST(CalendarDay, SplitsIntoItsParts) {
    struct Case {
        double date;
        int year, month, day;
        Weekday weekday;
    };
    const Case cases[] = {
        {Date(2024, 3, 29, 23, 59, 59), 2024, 3, 29, Weekday::Friday},
        {Date(2024, 3, 29, 23, 59, 59) + 0.9 / 86400, 2024, 3, 29, Weekday::Friday},  // not rounded into Saturday
        {Date(2024, 4, 1), 2024, 4, 1, Weekday::Monday},
        {-1.25, 1899, 12, 29, Weekday::Friday},
        {0, 1899, 12, 30, Weekday::Saturday},
        {Date(100, 1, 1), 100, 1, 1, Weekday::Friday},
        {Date(9999, 12, 31, 12), 9999, 12, 31, Weekday::Friday},
    };
    for (const auto& c : cases) {
        const auto parts = Split(CalendarDay::Of(c.date));
        ASSERT_TRUE(parts) << c.date;
        EXPECT_EQ(parts->year, c.year) << c.date;
        EXPECT_EQ(parts->month, c.month) << c.date;
        EXPECT_EQ(parts->day, c.day) << c.date;
        EXPECT_EQ(WeekdayOf(*parts), c.weekday) << c.date;
    }
}

TEST(CalendarDay, OutsideThePlatformRangeHasNoParts) {
    const double dates[] = {Date(9999, 12, 31) + 1,
                            Date(100, 1, 1) - 1,
                            1e300,
                            -1e300,
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (const double date : dates) EXPECT_FALSE(Split(CalendarDay::Of(date))) << date;
}

TEST(Weekday, IsNumberedFromSunday) {
    EXPECT_EQ(static_cast<int>(Weekday::Sunday), 0);
    EXPECT_EQ(static_cast<int>(Weekday::Monday), 1);
    EXPECT_EQ(static_cast<int>(Weekday::Saturday), 6);
}

}  // namespace
