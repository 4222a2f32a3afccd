// docs/user-guide.md against what it shows: every picture it names is in docs/ (make screenshots
// makes them), and its status texts and format help texts are the string table's, word for word.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "platform/string_table.h"
#include "payments/status_codes.h"

namespace {

const std::string kDocs = VARROW_SOURCE_DIR "/docs/";
constexpr char kStatusSection[] = "## What each payment's status means";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::string& Guide() {
    static const std::string guide = ReadFile(kDocs + "user-guide.md");
    return guide;
}

// The guide's text from `heading` to the next heading of the same level.
std::string Section(const std::string& heading) {
    const std::size_t start = Guide().find(heading + "\n");
    if (start == std::string::npos) return {};
    const std::size_t end = Guide().find("\n## ", start + heading.size());
    return Guide().substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Table rows of the form | CODE | "TEXT" | ... in `text`: code to text, and each code's count.
struct StatusRows {
    std::map<int, std::string> texts;
    std::map<int, int> counts;
};

StatusRows StatusRowsIn(const std::string& text) {
    static const std::regex row(R"re(^\| *(\d+) *\| *"([^"]*)" *\|)re");
    StatusRows rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        std::smatch match;
        if (std::regex_search(line, match, row)) {
            const int code = std::stoi(match[1]);
            rows.texts[code] = match[2];
            ++rows.counts[code];
        }
        start = end + 1;
    }
    return rows;
}

// The status texts the host can show: strings 300 + code of the string table.
std::map<int, std::string> StatusTexts() {
    std::map<int, std::string> texts;
    for (const StringTableEntry* e = StringTableBegin(); e != StringTableEnd(); ++e) {
        if (e->id >= kStatusTextBase && e->id < kTooManyPaymentsText) texts[static_cast<int>(e->id - kStatusTextBase)] = e->text;
    }
    return texts;
}

std::vector<std::string> PicturesNamed() {
    static const std::regex picture(R"(!\[[^\]]*\]\(([^)]+)\))");
    std::vector<std::string> names;
    for (std::sregex_iterator it(Guide().begin(), Guide().end(), picture), end; it != end; ++it) names.push_back((*it)[1]);
    return names;
}

TEST(UserGuide, EveryPictureItNamesIsAPngInDocs) {
    const std::vector<std::string> pictures = PicturesNamed();
    ASSERT_FALSE(pictures.empty()) << "the guide shows no picture";
    for (const std::string& name : pictures) {
        const std::string bytes = ReadFile(kDocs + name);
        EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n") << name << " is missing or no PNG";
    }
}

TEST(UserGuide, StatusTablesHoldEveryStatusTextOfTheStringTableOnce) {
    const StatusRows rows = StatusRowsIn(Section(kStatusSection));
    const std::map<int, std::string> expected = StatusTexts();
    ASSERT_FALSE(expected.empty());
    for (const auto& [code, text] : expected) {
        const auto found = rows.texts.find(code);
        if (found == rows.texts.end()) {
            ADD_FAILURE() << "status " << code << " is missing from the guide: \"" << text << "\"";
            continue;
        }
        EXPECT_EQ(found->second, text) << "status " << code;
        EXPECT_EQ(rows.counts.at(code), 1) << "status " << code << " has more than one row";
    }
    for (const auto& [code, text] : rows.texts) {
        EXPECT_EQ(expected.count(code), 1u) << "the guide shows status " << code << ", which has no text: \"" << text << "\"";
    }
}

// The guide's prose is wrapped: a line end there is a space.
std::string Unwrapped(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

TEST(UserGuide, QuotesTheFormatHelpTextsAndTheLimitMessageAsTheStringTableHoldsThem) {
    const std::string guide = Unwrapped(Guide());
    for (const unsigned id : {403u, 404u, 405u, 406u, kTooManyPaymentsText}) {
        const char* text = FindStringTableText(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_NE(guide.find(std::string("\"") + text + "\""), std::string::npos) << "string " << id << ": " << text;
    }
}

// The parser above must see a row, or the comparison would pass on a guide without any.
TEST(UserGuide, StatusRowsAreReadFromTableLines) {
    const StatusRows rows = StatusRowsIn("| 29 | \"Bad.\" | cause | fix |\n| x | \"no\" |\n29 \"not a row\"\n");
    EXPECT_EQ(rows.texts, (std::map<int, std::string>{{29, "Bad."}}));
}

}  // namespace
