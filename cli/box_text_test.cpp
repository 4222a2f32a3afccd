#include "cli/box_text.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

struct BoxCase {
    std::u16string typed;
    int limit;
    const char* expected;
};

TEST(BoxText, KeepsTheFirstCharactersAsTheBoxWould) {
    const BoxCase cases[] = {
        {u"", 20, ""},
        {u"Rent-Q1", 20, "Rent-Q1"},
        {u"12345678901234567890", 20, "12345678901234567890"},
        {u"123456789012345678901", 20, "12345678901234567890"},
        {u"Beneficiary reference", 18, "Beneficiary refere"},
        {u"Caf\u00E9 rent", 20, "Caf\xE9 rent"},  // the ANSI code page holds e acute
        {u"\u20AC5", 20, "\x80" "5"},              // and the euro sign, at 0x80
        {u"12345678901234567\U0001F4B7", 18, "12345678901234567"},  // the pair is not split
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(BoxText(c.typed, c.limit).View()), c.expected) << c.expected << " limit " << c.limit;
    }
}

#ifndef _WIN32
TEST(ArgumentText, IsUtf8Natively) {
    EXPECT_EQ(ArgumentText("Caf\xC3\xA9"), std::optional<std::u16string>(u"Caf\u00E9"));
    EXPECT_FALSE(ArgumentText("Caf\xE9").has_value());
}
#else
TEST(ArgumentText, IsTheAnsiCodePageOnWindows) {
    EXPECT_EQ(ArgumentText("Caf\xE9"), std::optional<std::u16string>(u"Caf\u00E9"));
}
#endif

}  // namespace

}  // namespace cli
