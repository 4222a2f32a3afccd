#include "payments/text_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(TextRules, CleanKeepsLettersDigitsAndFourSignsInUpperCase) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"J. Smith & Co", "J. SMITH & CO"},
        {"O'Brien, Ltd", "OBRIEN LTD"},
        {"Rent-Q1", "RENT-Q1"},
        {"AB/123", "AB/123"},
        {"inv 42", "INV 42"},
        {"****", ""},
        {"a\"b,c;d:e\r\nf\tg", "ABCDEFG"},
        {"caf\xE9 \xFF\x80", "CAF "},  // letters beyond ASCII are dropped, not folded
        {"!#$%()*+<=>?@[\\]^_`{|}~", ""},
        {"0123456789 .-/&", "0123456789 .-/&"},
        {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(Clean(input), expected) << "input [" << input << "]";
    }
    EXPECT_EQ(Clean(std::string("a\0b", 3)), "AB");
}

TEST(TextRules, CleanFirstCutsAfterCleaning) {
    struct Case {
        std::string input;
        std::size_t n;
        std::string expected;
    };
    const Case cases[] = {
        {"", 18, ""},
        {"O'Brien, Ltd", 18, "OBRIEN LTD"},
        {"'''''abc", 2, "AB"},
        {"Abcdefghijklmnopqrstuvwxyz0123", 18, "ABCDEFGHIJKLMNOPQR"},
        {"abc", 0, ""},
        {"a,b,c,d", 3, "ABC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanFirst(c.input, c.n), c.expected) << "input [" << c.input << "], n " << c.n;
        EXPECT_EQ(CleanFirst(c.input, c.n), std::string(FirstN(Clean(c.input), c.n))) << "input [" << c.input << "]";
    }
}

TEST(TextRules, FirstN) {
    EXPECT_EQ(FirstN("123456789", 8), "12345678");
    EXPECT_EQ(FirstN("1234", 8), "1234");
    EXPECT_EQ(FirstN("", 8), "");
    EXPECT_EQ(FirstN("12345678", 8), "12345678");
}

TEST(TextRules, PaddingFillsButNeverCuts) {
    struct Case {
        std::string input;
        std::size_t n;
        std::string zero, space;
    };
    const Case cases[] = {
        {"1234", 6, "001234", "1234  "},
        {"", 6, "000000", "      "},
        {"123456", 6, "123456", "123456"},
        {"1234567", 6, "1234567", "1234567"},
        {"1234567", 8, "01234567", "1234567 "},
        {"12 4", 6, "0012 4", "12 4  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ZeroPad(c.input, c.n), c.zero) << "input [" << c.input << "], n " << c.n;
        EXPECT_EQ(SpacePad(c.input, c.n), c.space) << "input [" << c.input << "], n " << c.n;
    }
}

}  // namespace
