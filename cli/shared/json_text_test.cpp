#include "cli/shared/json_text.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

TEST(AppendJsonUtf16, EscapesWhatJsonMustAndWritesTheRestAsUtf8) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"plain", "\"plain\""},
        {u"q\"b\\n\nr\rt\t", "\"q\\\"b\\\\n\\nr\\rt\\t\""},
        {std::u16string(1, u'\x01'), "\"\\u0001\""},
        {u"\u00A3\u20AC", "\"\xC2\xA3\xE2\x82\xAC\""},
        {u"\U0001F4B7", "\"\xF0\x9F\x92\xB7\""},
        {std::u16string(1, u'\xD800') + u"x", "\"\\ud800x\""},
        {std::u16string(1, u'\xDC00'), "\"\\udc00\""},
    };
    for (const auto& [text, expected] : cases) {
        std::string out;
        AppendJsonUtf16(out, text);
        EXPECT_EQ(out, expected) << expected;
    }
}

}  // namespace

}  // namespace cli
