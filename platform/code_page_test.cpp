#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(CodePage, AsciiAndLatin1RoundTrip) {
    const std::u16string wide = u"Sort 12-34-56 \u00A3100 caf\u00E9 \u00FF";
    const std::string narrow = WideToAnsi(wide);
    EXPECT_EQ(narrow, "Sort 12-34-56 \xA3" "100 caf\xE9 \xFF");
    EXPECT_EQ(AnsiToWide(narrow), wide);
}

TEST(CodePage, EuroSignIsByte80) {
    EXPECT_EQ(WideToAnsi(u"\u20AC5"), "\x80" "5");
    EXPECT_EQ(AnsiToWide("\x80"), u"\u20AC");
}

TEST(CodePage, CharacterOutsideTheCodePageBecomesQuestionMark) {
    EXPECT_EQ(WideToAnsi(u"a\u4E2Db"), "a?b");
}

TEST(CodePage, EmptyTextStaysEmpty) {
    EXPECT_EQ(WideToAnsi(u""), "");
    EXPECT_EQ(AnsiToWide(""), u"");
}

}  // namespace
}  // namespace platform
