#include "cli/calendar/date_text.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

struct ParseCase {
    const char* text;
    std::optional<double> expected;
};

TEST(ParseCommandLineDate, TakesBothWrittenFormsOfDatesThatExist) {
    const ParseCase cases[] = {
        {"07/12/2026", 46363},
        {"2026-12-07", 46363},
        {"30/12/1899", 0},
        {"29/02/2024", 45351},
        {"2024-02-29", 45351},
        {"01/01/0100", -657434},
        {"31/12/9999", 2958465},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCommandLineDate(c.text), c.expected) << c.text;
    }
}

TEST(ParseCommandLineDate, RefusesOtherTextAndDatesThatDoNotExist) {
    const char* const cases[] = {
        "", "7/12/2026", "07/12/26", "2026-12-7", "2026/12/07", "07-12-2026", "07.12.2026",
        " 07/12/2026", "07/12/2026 ", "07/12/2026x", "0a/12/2026", "+7/12/2026", "-1/12/2026",
        "2026-+1-07", "31/02/2026", "29/02/2025", "29/02/1900", "00/01/2026", "01/00/2026",
        "01/13/2026", "32/01/2026", "2026-04-31", "0000-00-00", "00/00/0000",
        "01/01/0099",  // the platform would read year 99 as 1999
        "2024-01-01\n",
    };
    for (const char* text : cases) {
        const auto actual = ParseCommandLineDate(text);
        EXPECT_FALSE(actual.has_value()) << "'" << text << "' gave " << *actual;
    }
}

TEST(FormatCommandLineDate, WritesTheCalendarDayOfADate) {
    const std::pair<double, const char*> cases[] = {
        {46363, "07/12/2026"},
        {46363.99, "07/12/2026"},
        {45351.5, "29/02/2024"},
        {0, "30/12/1899"},
        {-1, "29/12/1899"},
        {-1.25, "29/12/1899"},
        {-0.5, "30/12/1899"},
        {2958465.75, "31/12/9999"},
    };
    for (const auto& [date, expected] : cases) {
        EXPECT_EQ(FormatCommandLineDate(date), std::optional<std::string>(expected)) << date;
    }
    EXPECT_FALSE(FormatCommandLineDate(2958466).has_value());
    EXPECT_FALSE(FormatCommandLineDate(-657435).has_value());
}

}  // namespace

}  // namespace cli
