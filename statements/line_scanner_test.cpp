#include "statements/line_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "statements/field_splitting.h"

namespace {

using namespace std::string_literals;

// Both ways of sorting a block's bytes give every answer below.
constexpr ByteSorting kSortings[] = {ByteSorting::Widest, ByteSorting::Portable};

// The way a scanner asked for `sorting` takes on this processor.
const char* NameOf(ByteSorting sorting) { return SortsWide(sorting) ? "wide" : "portable"; }

// Every call's outcome until the first End or TooLong (shown as <end> and <too long>), read with
// lines of at most 5 characters through a block of 8, so that lines cross blocks; a line holding a
// NUL byte is marked with *.
std::string Read(const std::string& content, ByteSorting sorting) {
    std::stringbuf source(content);
    LineScanner scanner(source, 5, 8, sorting);
    std::string calls;
    for (;;) {
        switch (scanner.Next()) {
            case LineScanner::Status::Line:
                calls += "[" + std::string(scanner.Line()) + (scanner.HasNul() ? "*" : "") + "]";
                continue;
            case LineScanner::Status::End: return calls + "<end>";
            case LineScanner::Status::TooLong: return calls + "<too long>";
        }
    }
}

TEST(LineScanner, GivesEachLineAsTheStreamsGetlineWould) {
    const struct {
        std::string content;
        std::string calls;
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
        {"a\0b\nc\n\0"s, "[a\0b*][c][\0*]<end>"s},  // a NUL byte marks its own line only
        {"a\x02" "b\x08\n\x08\n", "[a\x02" "b\x08][\x08]<end>"},  // control characters that share the LF's mask
    };
    for (const ByteSorting sorting : kSortings) {
        for (const auto& c : cases) EXPECT_EQ(Read(c.content, sorting), c.calls) << NameOf(sorting) << " [" << c.content << "]";
    }
}

TEST(LineScanner, StaysAtItsEndOrItsRefusal) {
    std::stringbuf ended("ab");
    LineScanner atEnd(ended, 5, 8);
    std::stringbuf refused("123456\nab\n");
    LineScanner afterRefusal(refused, 5, 8);
    EXPECT_EQ(atEnd.Next(), LineScanner::Status::Line);
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(atEnd.Next(), LineScanner::Status::End);
        EXPECT_EQ(afterRefusal.Next(), LineScanner::Status::TooLong);
    }
}

// A source that gives at most `chunk` characters a read, as a pipe may: the filled part of the
// block then ends anywhere in a line, inside quotes too. A chunk of 0 gives all that is asked.
class Trickle : public std::stringbuf {
public:
    Trickle(const std::string& content, std::streamsize chunk) : std::stringbuf(content), chunk_(chunk) {}

protected:
    std::streamsize xsgetn(char* to, std::streamsize count) override {
        return std::stringbuf::xsgetn(to, chunk_ == 0 ? count : std::min(count, chunk_));
    }

private:
    std::streamsize chunk_;
};

// The one-pass split must agree with CountFields and GetField, the byte-by-byte split, for every
// field of every line: from every offset of a group of the block (after a line that leaves a
// quote open, which must not carry over), whether the line comes whole in its block, after a
// refill, or a few characters a read so that the block's end falls inside its quotes.
TEST(LineScanner, AgreesWithCountFieldsAndGetField) {
    const std::string lines[] = {
        "",
        "abc",
        "a,b,c",
        "a,\"b,c\",d",
        "a,b,\"1,234.56\"\r",
        "a,b,c\"d",
        "a,\"x\",c\"d",
        "\"a,b\"",
        "a,b,\"c,d",
        ",,,,,,,,,,,,,,,,,,,,,,,,,,",                   // more separators than the scan keeps
        "1234567\"9,bcdef\"hij,lmn\"p,rstuv\"x,z,\"2,4\",", // quotes and commas astride 16 bytes
        "123456789012345\",\"89012345678901,\"",
        std::string(61, 'a') + ",\"b,c\",d" + std::string(50, 'e') + "\",,\"x,y",  // astride 64 bytes
        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,\"22,x\"",
        "123456,12345678,Alias,Name,GBP,Current,BIC,Bank,Branch,05/03/2010,N1,N2,N3,N4,N5,DD,12.50,",
    };
    const struct {
        std::size_t block;
        std::streamsize chunk;
    } sources[] = {{200, 0}, {LineScanner::kDefaultBlockSize, 0}, {200, 1}, {200, 7}, {256, 64}};
    for (const auto& line : lines) {
        for (std::size_t before = 0; before < ByteGroup::kSize; ++before) {
            for (const auto& [block, chunk] : sources) {
                for (const ByteSorting sorting : kSortings) {
                    Trickle source("x,\"y" + std::string(before, 'b') + "\n" + line + "\nlast", chunk);
                    LineScanner scanner(source, 199, block, sorting);
                    ASSERT_EQ(scanner.Next(), LineScanner::Status::Line);
                    ASSERT_EQ(scanner.Next(), LineScanner::Status::Line);
                    const std::string where = "[" + line + "] after " + std::to_string(before) + ", block " +
                                              std::to_string(block) + " by " + std::to_string(chunk) + ", " +
                                              NameOf(sorting);
                    ASSERT_EQ(scanner.Line(), line) << where;
                    bool quoted = false;
                    EXPECT_EQ(scanner.Count(), CountFields(line, ',', quoted)) << where;
                    for (int n = 0; n <= 24; ++n) EXPECT_EQ(scanner.Field(n), GetField(line, ',', n)) << where << " field " << n;
                    EXPECT_EQ(scanner.Next(), LineScanner::Status::Line) << where;
                    EXPECT_EQ(scanner.Line(), "last") << where;
                }
            }
        }
    }
}

}  // namespace
