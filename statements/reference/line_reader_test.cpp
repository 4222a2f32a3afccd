#include "statements/reference/line_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Every call's outcome until the first End or TooLong (shown as <end> and <too long>), read with
// lines of at most 5 characters through a block of 8, so that lines cross blocks.
std::string Read(const std::string& content) {
    std::stringbuf source(content);
    LineReader reader(source, 5, 8);
    std::string calls;
    for (;;) {
        std::string_view line;
        switch (reader.Next(line)) {
            case LineReader::Status::Line: calls += "[" + std::string(line) + "]"; continue;
            case LineReader::Status::End: return calls + "<end>";
            case LineReader::Status::TooLong: return calls + "<too long>";
        }
    }
}

TEST(LineReader, GivesEachLineAsTheStreamsGetlineWould) {
    const struct {
        const char* content;
        const char* calls;
    } cases[] = {
        {"", "<end>"},
        {"\n", "[]<end>"},
        {"ab\ncd\n", "[ab][cd]<end>"},
        {"ab\ncd", "[ab][cd]<end>"},               // the last line needs no LF
        {"ab\n\n\ncd\n", "[ab][][][cd]<end>"},
        {"abc\r\nde\r\n", "[abc\r][de\r]<end>"},   // a CR stays in the line
        {"12345\n67890\n1\n", "[12345][67890][1]<end>"},  // at the limit, across blocks
        {"12345", "[12345]<end>"},
        {"ab\n123456\ncd\n", "[ab]<too long>"},   // one over the limit, with its LF
        {"ab\n123456", "[ab]<too long>"},         // and at the end of the stream
        {"1234567890123\n", "<too long>"},        // longer than a block
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.content), c.calls) << "[" << c.content << "]";
}

TEST(LineReader, StaysAtItsEndOrItsRefusal) {
    std::stringbuf ended("ab");
    LineReader atEnd(ended, 5, 8);
    std::stringbuf refused("123456\nab\n");
    LineReader afterRefusal(refused, 5, 8);
    std::string_view line;
    EXPECT_EQ(atEnd.Next(line), LineReader::Status::Line);
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(atEnd.Next(line), LineReader::Status::End);
        EXPECT_EQ(afterRefusal.Next(line), LineReader::Status::TooLong);
    }
}

}  // namespace
