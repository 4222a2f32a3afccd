#include "statements/statement_date.h"

#include <gtest/gtest.h>

#include "common/ole_date.h"

namespace {

double Day(int year, int month, int day) { return ToOleDate({year, month, day}).value(); }

TEST(ParseDate, ReadsDayFirstThenYearFirst) {
    const double march5th2010 = Day(2010, 3, 5);
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"05/03/2010", march5th2010},
        {"5/3/2010", march5th2010},
        {"2010-03-05", march5th2010},
        {"2010-3-5", march5th2010},
        {"\"05/03/2010", march5th2010},  // a leading quote is skipped
        {"\"2010-03-05", march5th2010},
        {" 05/ 03/ 2010", march5th2010},  // leading spaces of each piece are skipped
        {"05/03/2010 12:00", march5th2010},  // reading stops at the first non-digit
        {"05/03/10", march5th2010},      // the platform's two-digit window
        {"05/03/49", Day(2049, 3, 5)},
        {"05/03/50", Day(1950, 3, 5)},
        {"05/03/00", Day(2000, 3, 5)},
        {"10-03-05", march5th2010},
        {"29/02/2024", Day(2024, 2, 29)},
        {"31/12/9999", Day(9999, 12, 31)},
        // No date gives 0 instead of rolling into a neighbouring date.
        {"", 0},
        {"/", 0},
        {"-", 0},
        {"abc", 0},
        {"31/02/2010", 0},
        {"2010-02-31", 0},
        {"29/02/2023", 0},
        {"00/03/2010", 0},
        {"05/00/2010", 0},
        {"05/13/2010", 0},
        {"05//2010", 0},  // an empty piece is a piece: month 0
        {"/05/03/2010", 0},
        {"20100305", 0},
        {"20100305/03/2010", 0},
        {"99999999999999999999/03/2010", 0},
        {"05/03/-10", Day(2000, 3, 5)},  // no sign is read: the year piece holds no digit, year 0
        {"05/03/10000", Day(2005, 3, 5)},  // day-first fails; year-first reads 05 as the year
        // A missing year is year 0, that is 2000.
        {"05/03", Day(2000, 3, 5)},
        // 30 December 1899 or earlier falls through to the year-first reading...
        {"30/12/1899", Day(2030, 12, 30)},
        {"29/12/1899", Day(2029, 12, 29)},
        // ...whose failure leaves the day-first value standing.
        {"29/02/1896", Day(1896, 2, 29)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDate(c.text), c.expected) << "date [" << c.text << "]";
    }
}

// The reader's shorter way for DD/MM/YYYY gives ParseDate's value or leaves the text to it, and
// keeps what it converted: the same date twice, and texts that share a place in what it keeps (a
// day or month beyond its range, a character that is no digit).
TEST(ParsePlainDate, GivesParseDatesValueOrNothing) {
    PlainDates kept;
    for (const char* text : {"05/03/2010", "05/03/2011", "05/03/2010", "05/16/2010", "05/03/2010", "29/02/2012", "29/02/2013", "31/12/9999",
                             "01/01/0100", "30/12/1899", "00/00/0000", "5/3/2010", "2010-03-05", "05/03/201x",
                             "37/03/2010", "05/03/2010", "05/19/2010", "05/03/2010", "0:/03/2010", "05/03/2010"}) {
        for (const std::optional<double> plain : {ParsePlainDate(text), kept.Parse(text)}) {
            if (plain) {
                EXPECT_EQ(*plain, ParseDate(text)) << text;
            }
        }
        EXPECT_EQ(ParsePlainDate(text).has_value(), kept.Parse(text).has_value()) << text;
    }
    EXPECT_TRUE(ParsePlainDate("05/03/2010").has_value());
    EXPECT_FALSE(ParsePlainDate("30/12/1899").has_value());  // below the threshold: ParseDate reads on
}

}  // namespace
