#include "payments/upload_text.h"

#include <gtest/gtest.h>

namespace {

std::string Describe(const UploadText& text) {
    static const char* const kEnds[] = {"crlf", "lf", "cr", "none"};
    std::string out = std::string(text.byteOrderMark ? "bom " : "") + text.separator;
    for (const TextLine& line : text.lines) out += " [" + std::string(line.text) + "]" + kEnds[static_cast<int>(line.end)];
    return out;
}

TEST(ReadUploadText, SplitsAtEveryKindOfLineEnd) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ","},
        {"a,b\r\nc\r\n", ", [a,b]crlf [c]crlf"},
        {"a\nb\rc\r\n\r\nd", ", [a]lf [b]cr [c]crlf []crlf [d]none"},
        {"\xEF\xBB\xBF" "a\r\n", "bom , [a]crlf"},
        {"a;b;c,d\r\n", "; [a;b;c,d]crlf"},
        {"a\r", ", [a]cr"},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(Describe(ReadUploadText(bytes)), expected) << bytes;
}

TEST(SplitUploadLine, TakesQuotedFieldsWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "[]"},
        {",,01,", "[] [] [01] []"},
        {"a,\"B, C\",d", "[a] \"[B, C]\" [d]"},
        {"\"say \"\"hi\"\"\",x", "\"[say \"\"hi\"\"]\" [x]"},
        {"\"open,x", "\"[open,x]\""},
        {"\"a\"b,c", "\"[a\"b]\" [c]"},
        {"a\"b,c", "[a\"b] [c]"},
    };
    SplitLine first;
    SplitUploadLine("a,\"b,c\",d,e", ',', first, 2);
    EXPECT_EQ(first.fields, (std::vector<std::string_view>{"a", "b,c"}));
    for (const auto& [line, expected] : cases) {
        SplitLine split;
        SplitUploadLine(line, ',', split);
        std::string described;
        for (std::size_t i = 0; i < split.fields.size(); ++i) {
            const bool quoted = std::count(split.quoted.begin(), split.quoted.end(), static_cast<int>(i + 1)) > 0;
            if (i > 0) described += ' ';
            described += quoted ? "\"[" + std::string(split.fields[i]) + "]\"" : "[" + std::string(split.fields[i]) + "]";
        }
        EXPECT_EQ(described, expected) << line;
    }
}

}  // namespace
