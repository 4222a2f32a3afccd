// One table of the platform's OLE date conversions, as measured against Wine's oleaut32. The same
// table runs natively against the stand-in and under Wine against the real calls.
#include "platform/ole_time.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace platform {
namespace {

std::string Show(const CivilDateTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

struct ToVariantCase {
    int year, month, day, hour, minute, second;
    bool ok;
    double date;
};

TEST(SystemTimeToVariantTime, FollowsThePlatformContract) {
    const ToVariantCase cases[] = {
        {2010, 3, 5, 0, 0, 0, true, 40242},
        {1899, 12, 30, 0, 0, 0, true, 0},
        {1899, 12, 29, 0, 0, 0, true, -1},
        {1899, 12, 29, 12, 0, 0, true, -1.5},
        {1800, 1, 1, 12, 0, 0, true, -36522.5},
        {100, 1, 1, 0, 0, 0, true, -657434},
        {9999, 12, 31, 23, 59, 59, true, 2958465.9999884260},
        {2010, 1, 1, 12, 0, 0, true, 40179.5},
        // Two-digit years: 0-49 are 2000-2049, 50-99 are 1950-1999.
        {49, 1, 1, 0, 0, 0, true, 54424},
        {50, 1, 1, 0, 0, 0, true, 18264},
        {99, 12, 31, 0, 0, 0, true, 36525},
        {1, 1, 1, 0, 0, 0, true, 36892},
        // Dates that do not exist roll into their neighbours.
        {0, 0, 0, 0, 0, 0, true, 36494},      // 30 November 1999
        {2010, 2, 31, 0, 0, 0, true, 40240},  // 3 March 2010
        {2010, 3, 0, 0, 0, 0, true, 40237},   // 28 February 2010
        {2010, 0, 15, 0, 0, 0, true, 40162},  // 15 December 2009
        {2010, 4, 31, 0, 0, 0, true, 40299},  // 1 May 2010
        {2010, 1, 1, 25, 0, 0, true, 40180.041666666664},
        {1899, 12, 29, 36, 0, 0, true, 0.5},
        // Refused outright.
        {2010, 13, 1, 0, 0, 0, false, 0},
        {2010, 1, 32, 0, 0, 0, false, 0},
        {10000, 1, 1, 0, 0, 0, false, 0},
    };
    for (const auto& c : cases) {
        const CivilDateTime t{{c.year, c.month, c.day}, c.hour, c.minute, c.second};
        double date = -12345;
        const bool ok = SystemTimeToVariantTime(t, date);
        EXPECT_EQ(ok, c.ok) << c.year << "/" << c.month << "/" << c.day << " " << c.hour;
        if (ok && c.ok) {
            EXPECT_NEAR(date, c.date, 1e-9) << c.year << "/" << c.month << "/" << c.day << " " << c.hour;
        }
    }
}

struct FromVariantCase {
    double date;
    bool ok;
    const char* expected;
};

TEST(VariantTimeToSystemTime, FollowsThePlatformContract) {
    const FromVariantCase cases[] = {
        {0, true, "1899-12-30 00:00:00"},
        {1, true, "1899-12-31 00:00:00"},
        {-1, true, "1899-12-29 00:00:00"},
        {-0.25, true, "1899-12-30 06:00:00"},
        {-1.25, true, "1899-12-29 06:00:00"},
        {-1.75, true, "1899-12-29 18:00:00"},
        {45000.99999, true, "2023-03-15 23:59:59"},
        {45000.999994, true, "2023-03-15 23:59:59"},
        {45000.4999999, true, "2023-03-15 12:00:00"},
        {45000.0000058, true, "2023-03-15 00:00:01"},
        {2958465.99999, true, "9999-12-31 23:59:59"},
        {-657434, true, "0100-01-01 00:00:00"},
        {-657434.5, true, "0100-01-01 12:00:00"},
        // Rounding up past midnight moves the day forward.
        {45000.999995, true, "2023-03-16 00:00:00"},
        {-1.999999, true, "1899-12-30 00:00:00"},
        {-0.999999, true, "1899-12-31 00:00:00"},
        // Out of range.
        {2958466, false, ""},
        {-657435, false, ""},
        {1e300, false, ""},
        {-1e300, false, ""},
    };
    for (const auto& c : cases) {
        CivilDateTime t;
        const bool ok = VariantTimeToSystemTime(c.date, t);
        EXPECT_EQ(ok, c.ok) << std::to_string(c.date);
        if (ok && c.ok) {
            EXPECT_EQ(Show(t), c.expected) << std::to_string(c.date);
        }
    }
}

}  // namespace
}  // namespace platform
