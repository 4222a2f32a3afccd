#include "statements/amount.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(ParseAmount, ReadsAmountsAsTheBankWritesThem) {
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"12.50", 12.5},
        {"0.00", 0},
        {"", 0},
        {"\"\"", 0},
        {"\"12.50\"", 12.5},
        {"\"1,234.56\"", 1234.56},  // thousands separators go
        {"1,234,567.89", 1234567.89},
        {"-12.50", 12.5},  // signs never survive
        {"12.50-", 12.5},
        {"\"-1,234.56\"", 1234.56},
        {"+5", 5},
        {"++5", 0},
        {" 1 234.56 ", 1234.56},  // whitespace goes wherever it stands
        {"\t12.50\t", 12.5},
        {"12.50\r", 12.5},  // the CR that a CRLF line leaves in binary mode
        {"12.50\r\n", 12.5},
        {"\"12.50\"\r", 0},  // the quotes no longer enclose the value
        {" \"12.50\"", 0},
        {"12.50abc", 12.5},  // the longest number at the start
        {"1.2.3", 1.2},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"abc", 0},
        {"GBP 12.50", 0},
        {"(12.50)", 0},
        {"1e3", 1000},
        {"1e-3", 1000},  // the minus sign goes here too
        {"1e", 1},
        {"1e+", 1},
        {"0.000005", 0.000005},
        // Only plain decimal text is read, the same on every platform.
        {"inf", 0},
        {"infinity", 0},
        {"nan", 0},
        {"0x1A", 0},
        {"1e400", infinity},
        {"1e-400", infinity},
        {"0.1e-400", infinity},
        {"0e400", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAmount(c.text), c.expected) << "amount [" << c.text << "]";
    }
}

TEST(ParseAmount, TooSmallForADoubleIsNoAmount) {
    EXPECT_EQ(ParseAmount("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(ParseAmount("0." + std::string(320, '0') + "1"), 1e-321);  // still a (subnormal) double
}

TEST(ParseAmount, NeverNegative) {
    for (const char* text : {"-0", "-0.00", "-", "--1", "-1e5"}) {
        EXPECT_FALSE(std::signbit(ParseAmount(text))) << "amount [" << text << "]";
    }
}

// Text left over once the amount is read means the column holds something else.
TEST(ParseWholeAmount, TakesOnlyColumnsThatHoldAnAmountOrNothing) {
    const struct {
        const char* text;
        bool whole;
    } cases[] = {
        {"", true},          {"\"\"", true},      {" \r", true},          {"12.50", true},
        {"\"1,234.56\"", true}, {"-12.50", true},    {"12.50-", true},       {"+5", true},
        {".5", true},        {"5.", true},        {"1e3", true},          {"1E+3", true},
        {"1e-3", true},      {"1e400", true},     {"12.50\r\n", true},    {"++5", false},
        {".", false},        {"1.2.3", false},    {"1e", false},          {"1e+", false},
        {"12.50abc", false}, {"\xA3" "1250.00", false}, {"(64.99)", false}, {"1250.00 GBP", false},
        {"Debit", false},    {"BAC", false},      {"\"12.50\"\r", false}, {"0x1A", false},
        {"inf", false},
    };
    for (const auto& c : cases) {
        const std::optional<double> amount = ParseWholeAmount(c.text);
        EXPECT_EQ(amount.has_value(), c.whole) << "amount [" << c.text << "]";
        EXPECT_EQ(IsWholeAmount(c.text), c.whole) << "amount [" << c.text << "]";
        if (amount) {
            EXPECT_EQ(*amount, ParseAmount(c.text)) << "amount [" << c.text << "]";
        }
    }
}

// Few digits take the short way; from sixteen on each digit is checked against 2^53. Either way
// the value is ParseWholeAmount's, or nothing for a shape or a number of digits it leaves to it.
TEST(ParsePlainAmount, GivesParseWholeAmountsValueAtAnyNumberOfDigits) {
    const struct {
        const char* text;
        bool plain;
    } cases[] = {
        {"1", true},           {"12.50", true},      {"\"1,234.56\"", true},  {" 1 234.56 ", true},
        {"-12.50", true},      {".5", true},         {"5.", true},             {"999999999999999", true},
        {"1000000000000000", true},                  {"0.000000000000001", true},
        {"00000000000000000000012.50", true},        {"9999999999999999", false},
        {"1.0000000000000000000001", false},         {"1.2.3", false},         {"1e3", false},
        {".", false},          {"", false},          {"\"\"", false},
    };
    for (const auto& c : cases) {
        const std::optional<double> plain = ParsePlainAmount(c.text);
        EXPECT_EQ(plain.has_value(), c.plain) << "amount [" << c.text << "]";
        if (plain) {
            EXPECT_EQ(*plain, ParseWholeAmount(c.text).value_or(-1)) << "amount [" << c.text << "]";
        }
    }
}

}  // namespace
