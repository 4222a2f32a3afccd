#include "common/text_conversion.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::u16string input;
    std::string singleByte;
    std::string digits;
};

TEST(TextConversion, SingleByteAndDigitsOnly) {
    const Case cases[] = {
        {u"", "", ""},
        {u"12-34-56", "12-34-56", "123456"},
        {u"12 34 56", "12 34 56", "123456"},
        {u"caf\u00E9 \u00FF", "caf\xE9 \xFF", ""},
        {u"ab\u0100cd 12", "ab", ""},  // stops at the first unit above U+00FF
        {u"12\u20AC34", "12", "12"},
        {std::u16string(u"12\0" u"34", 5), "12", "12"},
        {u"\u00B2\u00B3", "\xB2\xB3", ""},  // superscripts are not digits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToSingleByte(c.input), c.singleByte) << "input of " << c.input.size() << " units";
        EXPECT_EQ(ToDigitsOnly(c.input), c.digits) << "input of " << c.input.size() << " units";
    }
}

TEST(TextConversion, SingleByteKeepsAtMost255Characters) {
    const std::u16string longText(300, u'x');
    EXPECT_EQ(ToSingleByte(longText), std::string(255, 'x'));
    std::u16string digits(260, u'7');
    EXPECT_EQ(ToDigitsOnly(digits).size(), 255u);
}

}  // namespace
