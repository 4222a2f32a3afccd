#include "cli/export/csv_reader.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

using Fields = std::vector<std::string>;

std::string Show(const std::vector<CsvRecord>& records) {
    std::string out;
    for (const auto& record : records) {
        out += std::to_string(record.line) + ":";
        for (const auto& field : record.fields) out += "[" + field + "]";
        out += " ";
    }
    return out;
}

struct ReadCase {
    const char* name;
    std::string text;
    std::string expected;  // as Show() prints it
};

TEST(ReadCsv, ReadsFieldsAndRecords) {
    const ReadCase cases[] = {
        {"empty text", "", ""},
        {"one field", "a", "1:[a] "},
        {"fields", "a,b,c\n", "1:[a][b][c] "},
        {"empty fields", ",,\n", "1:[][][] "},
        {"CR LF records", "a,b\r\nc,d\r\n", "1:[a][b] 2:[c][d] "},
        {"LF records, no final break", "a\nb", "1:[a] 2:[b] "},
        {"lone CR records", "a\rb\r", "1:[a] 2:[b] "},
        {"empty lines skipped, lines still counted", "a\n\n\r\nb\n", "1:[a] 4:[b] "},
        {"byte order mark skipped", "\xEF\xBB\xBFValue,Status\n", "1:[Value][Status] "},
        {"byte order mark only at the start", "a,\xEF\xBB\xBF\n", "1:[a][\xEF\xBB\xBF] "},
        {"spaces kept", " a , b \n", "1:[ a ][ b ] "},
        {"quoted comma", "\"Smith, J\",1\n", "1:[Smith, J][1] "},
        {"doubled quote", "\"say \"\"hi\"\"\"\n", "1:[say \"hi\"] "},
        {"quoted empty", "\"\",x\n", "1:[][x] "},
        {"lone quoted empty is a record", "\"\"\n", "1:[] "},
        {"quoted CR LF kept, line counted", "\"a\r\nb\",c\nd\n", "1:[a\r\nb][c] 3:[d] "},
        {"quoted LF and CR kept", "\"a\nb\rc\"\nd", "1:[a\nb\rc] 4:[d] "},
        {"quoted field at end of text", "x,\"y\"", "1:[x][y] "},
        {"nul byte kept", std::string("a\0b,c", 5), std::string("1:[a\0b][c] ", 11)},
        {"utf-8 bytes kept", "Caf\xC3\xA9\n", "1:[Caf\xC3\xA9] "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Show(ReadCsv(c.text)), c.expected) << c.name;
    }
}

struct ErrorCase {
    const char* name;
    std::string text;
    std::size_t line;
};

TEST(ReadCsv, RefusesWhatCannotBeReadUnambiguously) {
    const ErrorCase cases[] = {
        {"quote never closed", "a\n\"b,c\nd\n", 2},
        {"text after closing quote", "a\n\"b\"c,d\n", 2},
        {"text after closing quote on a later line", "\"a\nb\"x\n", 2},
        {"quote inside plain field", "O\"Brien,1\n", 1},
        {"quote at end of plain field", "a,b\"\n", 1},
    };
    for (const auto& c : cases) {
        try {
            const auto records = ReadCsv(c.text);
            ADD_FAILURE() << c.name << ": read as " << Show(records);
        } catch (const CsvError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.name << ": " << e.what();
        }
    }
}

}  // namespace

}  // namespace cli
