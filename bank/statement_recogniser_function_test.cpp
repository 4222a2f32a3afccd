// StatementRecogniser as the host's chooser calls it: on real files, with a description buffer
// whose bytes beyond the description must stay as they were.
#include "bank/statement_recogniser_function.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

constexpr unsigned char kUntouched = 0xCC;
constexpr char kDescription[] = "Varrow Quidlane Statement";
static_assert(sizeof kDescription == 26, "the description and its terminator");

std::string HeaderOf(int fields) {
    std::string header = "T1";
    for (int i = 2; i <= fields; ++i) header += ",T" + std::to_string(i);
    return header;
}

struct Answer {
    int result = -1;
    std::array<unsigned char, 64> description{};
};

Answer Recognise(const char* path) {
    Answer answer;
    answer.description.fill(kUntouched);
    answer.result = StatementRecogniser(reinterpret_cast<char*>(answer.description.data()), path);
    return answer;
}

bool Untouched(const Answer& answer, std::size_t from) {
    return std::all_of(answer.description.begin() + static_cast<std::ptrdiff_t>(from), answer.description.end(),
                       [](unsigned char byte) { return byte == kUntouched; });
}

struct Case {
    const char* name;
    std::string content;
    int expected;
};

TEST(StatementRecogniser, AnswersByTheHeadersFieldCountAlone) {
    const TempDir files;
    const Case cases[] = {
        {"long header", HeaderOf(18) + "\n", 1},
        {"short header", HeaderOf(14) + "\n", 1},
        {"long header with CRLF", HeaderOf(18) + "\r\n", 1},
        {"header without LF", HeaderOf(14), 1},
        {"header over unreadable data", HeaderOf(18) + "\n\n,,,\nnot a statement line\n", 1},
        {"quoted comma in a title", HeaderOf(13) + ",\"A,B\"\n", 1},
        {"12 fields", HeaderOf(12) + "\n", 0},
        {"13 fields", HeaderOf(13) + "\n", 0},
        {"15 fields", HeaderOf(15) + "\n", 0},
        {"17 fields", HeaderOf(17) + "\n", 0},
        {"19 fields", HeaderOf(19) + "\n", 0},
        {"empty file", "", 0},
        {"blank first line", "\n" + HeaderOf(18) + "\n", 0},
    };
    int index = 0;
    for (const Case& row : cases) {
        const std::string path = files.Write("candidate" + std::to_string(index++) + ".csv", row.content);
        const Answer answer = Recognise(path.c_str());
        EXPECT_EQ(answer.result, row.expected) << row.name;
        if (row.expected == 1) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(answer.description.data())), kDescription) << row.name;
            EXPECT_TRUE(Untouched(answer, sizeof kDescription)) << row.name << ": more than 26 bytes written";
        } else {
            EXPECT_TRUE(Untouched(answer, 0)) << row.name << ": the description was written";
        }
    }
}

TEST(StatementRecogniser, AFileThatCannotBeOpenedIsNoStatement) {
    const TempDir files;
    const std::string missing = files.File("missing.csv");
    const Answer answer = Recognise(missing.c_str());
    EXPECT_EQ(answer.result, 0);
    EXPECT_TRUE(Untouched(answer, 0));
    const Answer folder = Recognise(files.Path().string().c_str());
    EXPECT_EQ(folder.result, 0);
}

TEST(StatementRecogniser, NullArgumentsAreNoStatementAndWriteNothing) {
    const TempDir files;
    const std::string path = files.Write("long.csv", HeaderOf(18) + "\n");
    EXPECT_EQ(Recognise(nullptr).result, 0);
    EXPECT_TRUE(Untouched(Recognise(nullptr), 0));
    EXPECT_EQ(StatementRecogniser(nullptr, path.c_str()), 0);
}

TEST(StatementRecogniser, AnOverlongPathIsNotOpened) {
    const TempDir files;
    const std::string path = files.Write("long.csv", HeaderOf(18) + "\n");
    // The same file, named through enough "./" steps to pass 259 characters.
    std::string longer = files.Path().string();
    while (longer.size() + std::string("/long.csv").size() <= 259) longer += "/.";
    longer += "/long.csv";
    ASSERT_GT(longer.size(), 259u);
    EXPECT_EQ(Recognise(longer.c_str()).result, 0);
    EXPECT_EQ(Recognise(path.c_str()).result, 1);
}

TEST(StatementRecogniser, FitsTheChooserBlock) {
    ChooserBlock block{};
    block.recogniser = &StatementRecogniser;
    const TempDir files;
    const std::string path = files.Write("short.csv", HeaderOf(14) + "\n");
    char description[32] = {};
    EXPECT_EQ(block.recogniser(description, path.c_str()), 1);
    EXPECT_STREQ(description, kDescription);
}

}  // namespace
