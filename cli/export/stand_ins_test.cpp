#include "cli/export/stand_ins.h"

#include <gtest/gtest.h>

#include "platform/local_clock.h"

namespace cli {

namespace {

TEST(AsPlainLines, TurnsEveryLineEndIntoOneLineBreak) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"one line", "one line"},
        {"advancing the date \r\n2 days to the next", "advancing the date \n2 days to the next"},
        {"too far in the future.\rProcessing dates", "too far in the future.\nProcessing dates"},
        {"a\nb", "a\nb"},
        {"a\r\r\nb", "a\n\nb"},
        {"ends with CR\r", "ends with CR\n"},
        {"\r\n", "\n"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(AsPlainLines(text), expected) << text;
    }
}

TEST(ConsoleMessages, AnswersInsteadOfTheWindowSystemWhileItLives) {
    platform::MessageBoxRequest question;
    question.text = "Do you wish to ignore these changes?";
    question.buttons = platform::MessageButtons::YesNo;
    platform::MessageBoxRequest notice;
    notice.text = "A notice.";
    {
        const ConsoleMessages messages;
        ASSERT_TRUE(static_cast<bool>(platform::MessageBoxHook()));
        EXPECT_EQ(platform::ShowMessageBox(question), platform::MessageAnswer::No);
        EXPECT_EQ(platform::ShowMessageBox(notice), platform::MessageAnswer::Ok);
    }
    EXPECT_FALSE(static_cast<bool>(platform::MessageBoxHook()));
}

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

TEST(FixedToday, TheClockReadsMidnightOfTheDayWhileItLives) {
    {
        const FixedToday today(46363.75);  // Monday 7 December 2026, 18:00
        const CivilDateTime now = platform::LocalTime();
        EXPECT_EQ(now.year, 2026);
        EXPECT_EQ(now.month, 12);
        EXPECT_EQ(now.day, 7);
        EXPECT_EQ(now.hour, 0);
        EXPECT_EQ(now.minute, 0);
        EXPECT_EQ(now.second, 0);
    }
    EXPECT_FALSE(static_cast<bool>(platform::LocalTimeHook()));
}

}  // namespace

}  // namespace cli
