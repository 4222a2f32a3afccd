#include "cli/statement/text_shape.h"

#include <gtest/gtest.h>

#include <string>

namespace cli {
namespace {

TEST(ShapeOfText, TellsUtf16AndCrOnlyFromReadableText) {
    using namespace std::string_literals;
    const struct {
        const char* what;
        std::string start;
        TextShape shape;
    } cases[] = {
        {"LF", "a,b\nc,d\n", TextShape::Readable},
        {"CRLF", "a,b\r\nc,d\r\n", TextShape::Readable},
        {"a header alone ending in CR", "a,b\r", TextShape::Readable},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBF" "a,b\n", TextShape::Readable},
        {"empty", "", TextShape::Readable},
        {"UTF-16 LE with its mark", "\xFF\xFE" "a\0,\0b\0\r\0\n\0"s, TextShape::Utf16},
        {"UTF-16 BE with its mark", "\xFE\xFF\0a\0,\0b\0\n"s, TextShape::Utf16},
        {"UTF-16 without a mark", "a\0,\0b\0\n\0"s, TextShape::Utf16},
        {"a NUL after the header is the reader's business", "a,b\nc\0d\n"s, TextShape::Readable},
        {"CR-only", "a,b\rc,d\r", TextShape::CrOnlyLineEnds},
    };
    for (const auto& c : cases) EXPECT_EQ(ShapeOfText(c.start), c.shape) << c.what;
}

TEST(ShapeAdvice, SaysWhatToDo) {
    EXPECT_EQ(ShapeAdvice(TextShape::Readable), "");
    for (const TextShape shape : {TextShape::Utf16, TextShape::CrOnlyLineEnds}) {
        EXPECT_NE(ShapeAdvice(shape).find("save it as CSV with ANSI or UTF-8 text"), std::string::npos);
    }
}

}  // namespace
}  // namespace cli
