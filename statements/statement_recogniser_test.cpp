#include "statements/statement_recogniser.h"

#include <gtest/gtest.h>

#include "statements/statement_test_lines.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace statement_test;

TEST(RecognisesStatement, AcceptsHeadersOf14Or18Fields) {
    const TempDir dir;
    for (int fields = 1; fields <= 20; ++fields) {
        for (const char* end : {"\n", "\r\n", ""}) {
            const std::string path = dir.Write("s.csv", HeaderOf(fields) + end + "nothing like a data line\n");
            EXPECT_EQ(RecognisesStatement(path), fields == 14 || fields == 18)
                << fields << " fields, line end " << (*end == '\r' ? "CRLF" : *end ? "LF" : "none");
        }
    }
}

TEST(RecognisesStatement, RefusesWhatItCannotOpenOrRead) {
    const TempDir dir;
    EXPECT_FALSE(RecognisesStatement(dir.File("missing.csv")));
    EXPECT_FALSE(RecognisesStatement(dir.Write("empty.csv", "")));
    EXPECT_FALSE(RecognisesStatement(dir.Write("overlong.csv", kShortHeader + std::string(2100, ' ') + "\n")));
    EXPECT_FALSE(RecognisesStatement(dir.Write("utf16.csv", std::string("S\0o\0r\0t\0,\0", 10) + "\n")));
    EXPECT_FALSE(RecognisesStatement(""));
}

}  // namespace
