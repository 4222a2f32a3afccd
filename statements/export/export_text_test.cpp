#include "statements/export/export_text.h"

#include <gtest/gtest.h>

#include "statements/export/export_test_transactions.h"

namespace {

using export_test::Date;

TEST(AppendSignedAmount, WritesDecimalsWithoutGroupingOrExponent) {
    const struct {
        double amount;
        bool debit;
        const char* text;
    } cases[] = {
        {1250, true, "-1250.00"},   {86.4, true, "-86.40"},   {4860, false, "4860.00"},
        {0, false, "0.00"},         {0.1, false, "0.10"},     {12.345, true, "-12.345"},
        {1234567.89, false, "1234567.89"},                    {5.000001e-06, true, "-0.000005000001"},
        {0.29, false, "0.29"},      {1e13, false, "10000000000000.00"},
        {1e21, false, "1000000000000000000000.00"},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendSignedAmount(out, c.amount, c.debit);
        EXPECT_EQ(out, c.text) << c.amount;
        EXPECT_EQ(std::stod(out), c.debit ? -c.amount : c.amount) << out;
    }
}

TEST(AppendDates, WriteTheDayAloneWithAFourDigitYear) {
    const struct {
        double date;
        const char* compact;
        const char* dayFirst;
        const char* monthFirst;
    } cases[] = {
        {Date(2026, 12, 1), "20261201", "01/12/2026", "12/01/2026"},
        {Date(2010, 3, 5), "20100305", "05/03/2010", "03/05/2010"},
        {Date(999, 1, 2), "09990102", "02/01/0999", "01/02/0999"},
        {1e9, "", "", ""},  // beyond the platform's dates
    };
    for (const auto& c : cases) {
        std::string compact, dayFirst, monthFirst;
        AppendCompactDate(compact, c.date);
        AppendSlashedDate(dayFirst, c.date, true);
        AppendSlashedDate(monthFirst, c.date, false);
        EXPECT_EQ(compact, c.compact) << c.date;
        EXPECT_EQ(dayFirst, c.dayFirst) << c.date;
        EXPECT_EQ(monthFirst, c.monthFirst) << c.date;
    }
}

TEST(AppendOfxText, EscapesMarkupAndKeepsWindows1252) {
    const struct {
        std::string text;
        const char* ofx;
    } cases[] = {
        {"O'NEILL & DAUGHTERS", "O'NEILL &amp; DAUGHTERS"},
        {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;"},
        {"CAF\xc9 \xa3" "50 \x96 \x80", "CAF\xc9 \xa3" "50 \x96 \x80"},  // É, £, en dash, euro
        {"a\tb\x01", "a?b?"},
        {"\x81\x8d\x8f\x90\x9d\x9e", "?????\x9e"},  // undefined in Windows-1252; then ž
        {"\"quoted\"", "\"quoted\""},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendOfxText(out, c.text);
        EXPECT_EQ(out, c.ofx) << "[" << c.text << "]";
    }
}

// Long texts are looked through sixteen bytes at a time: every byte that needs replacing must be
// found wherever it stands, and every byte that needs nothing kept.
TEST(AppendOfxText, FindsWhatNeedsReplacingAnywhereInALongText) {
    const struct {
        char c;
        const char* ofx;
    } cases[] = {{'&', "&amp;"}, {'>', "&gt;"}, {'\x1f', "?"}, {'\x9d', "?"}, {'\x96', "\x96"}, {'\x7f', "\x7f"}};
    for (const auto& c : cases) {
        for (const std::size_t length : {std::size_t{15}, std::size_t{16}, std::size_t{40}, std::size_t{255}}) {
            for (std::size_t at = 0; at < length; ++at) {
                std::string text(length, 'x');
                text[at] = c.c;
                std::string out;
                AppendOfxText(out, text);
                const std::string expected = text.substr(0, at) + c.ofx + text.substr(at + 1);
                ASSERT_EQ(out, expected) << "byte " << int(static_cast<unsigned char>(c.c)) << " at " << at << " of " << length;
                EXPECT_EQ(IsPlainOfxText(text), expected == text) << at;
            }
        }
    }
}

TEST(CompactDates, GiveWhatAppendCompactDateGives) {
    CompactDates dates;
    // Again and again, with day numbers that share a place in the table, and beyond its range.
    for (int round = 0; round < 2; ++round) {
        for (const double date : {Date(2010, 3, 5), Date(2010, 3, 5) + 512, Date(2010, 3, 5) + 0.75, Date(1899, 12, 29), 1e9, -1e10}) {
            std::string expected;
            AppendCompactDate(expected, date);
            EXPECT_EQ(dates.Of(date), expected) << date;
        }
    }
}

}  // namespace
