#include "cli/fixed_today.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

TEST(FixedToday, TheClockReadsMidnightOfTheDayWhileItLives) {
    {
        const FixedToday today(46363.75);  // Monday 7 December 2026, 18:00
        const CivilDateTime now = platform::LocalTime();
        EXPECT_EQ(now.year, 2026);
        EXPECT_EQ(now.month, 12);
        EXPECT_EQ(now.day, 7);
        EXPECT_EQ(now.hour, 0);
        EXPECT_EQ(now.minute, 0);
        EXPECT_EQ(now.second, 0);
    }
    EXPECT_FALSE(static_cast<bool>(platform::LocalTimeHook()));
}

}  // namespace

}  // namespace cli
