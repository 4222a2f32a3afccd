#include "cli/shared/utf8.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

std::string Hex(std::u16string_view text) {
    std::string out;
    char buffer[8];
    for (const char16_t unit : text) {
        std::snprintf(buffer, sizeof buffer, "%04X ", static_cast<unsigned>(unit));
        out += buffer;
    }
    return out;
}

struct ValidCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

TEST(DecodeUtf8, ValidTextBecomesTheSameCharactersInUtf16) {
    const ValidCase cases[] = {
        {"empty", "", u""},
        {"ascii", "J. Smith & Co", u"J. Smith & Co"},
        {"nul stays a character", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"two bytes: e acute", "Caf\xC3\xA9", u"Caf\u00E9"},
        {"two bytes: pound sign", "\xC2\xA3" "5", u"\u00A35"},
        {"smallest two-byte", "\xC2\x80", u"\u0080"},
        {"three bytes: euro sign", "\xE2\x82\xAC", u"\u20AC"},
        {"smallest three-byte", "\xE0\xA0\x80", u"\u0800"},
        {"last before surrogates", "\xED\x9F\xBF", u"\uD7FF"},
        {"first after surrogates", "\xEE\x80\x80", u"\uE000"},
        {"largest three-byte", "\xEF\xBF\xBF", u"\uFFFF"},
        {"four bytes become a surrogate pair", "\xF0\x9F\x92\xB7", u"\U0001F4B7"},
        {"largest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const auto& c : cases) {
        const Utf8Result result = DecodeUtf8(c.bytes);
        EXPECT_TRUE(result.ok) << c.name << ": refused at " << result.errorOffset;
        EXPECT_EQ(Hex(result.text), Hex(c.expected)) << c.name;
    }
}

struct InvalidCase {
    const char* name;
    std::string bytes;
    std::size_t offset;
};

TEST(DecodeUtf8, InvalidSequencesAreRefusedAtTheirOffset) {
    const InvalidCase cases[] = {
        {"stray continuation", "ab\x80", 2},
        {"windows-1252 e acute", "Caf\xE9", 3},
        {"truncated at end", "x\xC3", 1},
        {"truncated before ascii", "\xE2\x82" "A", 0},
        {"overlong slash, C0", "\xC0\xAF", 0},
        {"overlong nul, C1", "\xC1\x80", 0},
        {"overlong three-byte", "\xE0\x80\xAF", 0},
        {"overlong four-byte", "\xF0\x80\x80\xAF", 0},
        {"encoded high surrogate", "ok\xED\xA0\x80", 2},
        {"encoded low surrogate", "\xED\xBF\xBF", 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"lead byte F5", "\xF5\x80\x80\x80", 0},
        {"byte FF", "\xFF", 0},
        {"byte FE", "a\xFE", 1},
    };
    for (const auto& c : cases) {
        const Utf8Result result = DecodeUtf8(c.bytes);
        EXPECT_FALSE(result.ok) << c.name << " gave " << Hex(result.text);
        EXPECT_EQ(result.errorOffset, c.offset) << c.name;
        EXPECT_TRUE(result.text.empty()) << c.name << " kept " << Hex(result.text);
        EXPECT_FALSE(Utf8ToUtf16(c.bytes).has_value()) << c.name;
    }
}

TEST(Utf8ToUtf16, GivesTheTextOfValidInput) {
    EXPECT_EQ(Utf8ToUtf16("\xC2\xA3" "12.50"), std::u16string(u"\u00A312.50"));
}

}  // namespace

}  // namespace cli
