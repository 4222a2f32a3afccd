#include "payments/date_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "payments/payment_test_support.h"

namespace {

using testing_support::OleDate;

TEST(DateText, DayMonthAndFourDigitYear) {
    struct Case {
        double date;
        const char* expected;
    };
    const Case cases[] = {
        {OleDate(2026, 12, 7), "07122026"},
        {OleDate(2026, 12, 7) + 0.75, "07122026"},  // the time of day is not written
        {OleDate(2024, 2, 29), "29022024"},
        {OleDate(1999, 1, 1), "01011999"},
        {OleDate(100, 1, 1), "01010100"},
        {OleDate(9999, 12, 31), "31129999"},
        {0, "30121899"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFileDate(c.date), c.expected) << "date " << c.date;
}

TEST(DateText, ValuesThePlatformCannotSplitGiveNothing) {
    for (const double date : {2958466.0, -657435.0, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()}) EXPECT_EQ(FormatFileDate(date), "") << "date " << date;
}

}  // namespace
