#include "cli/console_messages.h"

#include <gtest/gtest.h>

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

}  // namespace

}  // namespace cli
