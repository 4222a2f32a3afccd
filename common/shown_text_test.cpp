#include "common/shown_text.h"

#include <gtest/gtest.h>

namespace {

TEST(Shown, QuotesTextOnOneLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "''"},
        {"Amount", "'Amount'"},
        {"a\r\nb\tc", "'a\\r\\nb\\tc'"},
        {std::string("a\0b", 3), "'a\\x00b'"},
        {"\x7F", "'\\x7F'"},
        {"Caf\xC3\xA9", "'Caf\xC3\xA9'"},
        {std::string(61, 'x'), "'" + std::string(60, 'x') + "...'"},
        {std::string(60, 'x'), "'" + std::string(60, 'x') + "'"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Shown(text), expected) << text;
    }
}

}  // namespace
