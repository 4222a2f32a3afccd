#include "cli/statement/statement_output.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>

#include "common/ole_date.h"

namespace cli {

namespace {

TEST(FormatShortestAmount, GivesTheShortestTextThatReadsBack) {
    const struct {
        double amount;
        const char* text;
    } cases[] = {{0, "0"}, {12.5, "12.5"}, {7, "7"}, {1234.56, "1234.56"}, {0.1, "0.1"},
                 {0.000005000001, "5.000001e-06"}, {12345678901.23, "12345678901.23"}, {1e21, "1e+21"}};
    for (const auto& c : cases) EXPECT_EQ(FormatShortestAmount(c.amount), c.text) << c.amount;
}

// Whole numbers of pence take a shorter way to their text: it must be the same text.
TEST(FormatShortestAmount, PenceGiveWhatToCharsGives) {
    const auto expected = [](double amount) {
        char text[64];
        return std::string(text, std::to_chars(text, text + sizeof text, amount).ptr);
    };
    for (std::int64_t pence = 0; pence < 20000000; pence += pence < 200000 ? 1 : 97) {
        const double amount = static_cast<double>(pence) / 100;
        ASSERT_EQ(FormatShortestAmount(amount), expected(amount)) << pence << " pence";
    }
    for (const double amount : {-0.0, 0.005, 99999.99, 99999.995, 100000.0, 0.1 + 0.2, 1e-300}) {
        EXPECT_EQ(FormatShortestAmount(amount), expected(amount)) << amount;
    }
}

TEST(FormatIsoDate, GivesYearMonthDayOrNothing) {
    EXPECT_EQ(FormatIsoDate(ToOleDate({2010, 3, 5}).value()), "2010-03-05");
    EXPECT_EQ(FormatIsoDate(ToOleDate({1896, 2, 29}).value()), "1896-02-29");
    EXPECT_EQ(FormatIsoDate(0), "");
    EXPECT_EQ(FormatIsoDate(1e9), "");  // beyond the platform's dates
}

TEST(AppendCsvField, QuotesOnlyWhatNeedsIt) {
    const struct {
        const char* value;
        const char* field;
    } cases[] = {
        {"plain", "plain"},         {"", ""},
        {" spaced ", " spaced "},   {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"cr\r", "\"cr\r\""},       {"lf\n", "\"lf\n\""},
        // Long texts are looked at sixteen characters at a time: in a whole block, and after the last.
        {"0123456789abcde,0123456789abcdef", "\"0123456789abcde,0123456789abcdef\""},
        {"0123456789abcdef0123456789abcdef\n", "\"0123456789abcdef0123456789abcdef\n\""},
        {"0123456789abcdef0123456789abcdef", "0123456789abcdef0123456789abcdef"},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendCsvField(out, c.value);
        EXPECT_EQ(out, c.field) << "[" << c.value << "]";
    }
}

TEST(AppendJsonString, EscapesAndConvertsToUtf8) {
    const struct {
        std::string value;
        const char* json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\r\n\t", "\"\\r\\n\\t\""},
        {std::string("\x01\x1f", 2), "\"\\u0001\\u001f\""},
        {"\xa3" "5", "\"\xc2\xa3" "5\""},  // pound sign
        {"\x80", "\"\xe2\x82\xac\""},       // euro sign in Windows-1252
        {"\x7f", "\"\x7f\""},
        {"0123456789abcdef\x80" "0123456789abcdef", "\"0123456789abcdef\xe2\x82\xac" "0123456789abcdef\""},
        {"0123456789abcdef0123456789abcdef\"", "\"0123456789abcdef0123456789abcdef\\\"\""},
        {"0123456789abcdef0123456789abcdef", "\"0123456789abcdef0123456789abcdef\""},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendJsonString(out, c.value);
        EXPECT_EQ(out, c.json) << "[" << c.value << "]";
    }
}

}  // namespace

}  // namespace cli
