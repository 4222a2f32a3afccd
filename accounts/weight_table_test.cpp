#include "accounts/weight_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "accounts/table_error.h"

namespace {

const std::string kThirteenWeights = "    0    0    0    0    0    8    7    6    5    4    3    2    1";
const std::string kWeights = "    0" + kThirteenWeights;

WeightTable Parsed(const std::string& text) {
    std::istringstream in(text);
    return WeightTable::Parse(in, "VALACDOS.TXT");
}

// The exceptions of the rows found, in order ("-" for none), so that each row shows which it is.
std::string Found(const WeightTable& table, const char* sortCode) {
    std::string found;
    for (const WeightRow& row : table.Lookup(*SortCode::FromDigits(sortCode))) {
        found += (found.empty() ? "" : ",") + std::to_string(row.exception);
    }
    return found.empty() ? "-" : found;
}

TEST(WeightTable, LooksUpRangesInAnyLineEndsAndOrder) {
    const std::string first = "010004 016715 MOD11" + kWeights;
    const std::string pair = "070116 070116 MOD11" + kWeights + "  12\n070116 070116 MOD10" + kWeights + "  13";
    const std::string last = "089000 089999 MOD10" + kWeights + "   1";
    const std::string lf = first + "\n\n" + pair + "\n" + last + "\n";
    std::string crlf;
    for (const char c : lf) crlf += c == '\n' ? "\r\n" : std::string(1, c);
    const struct {
        const char* name;
        std::string text;
    } files[] = {{"LF", lf}, {"CRLF", crlf}, {"no last line end, ranges out of order", last + "\n" + pair + "\n" + first}};
    const struct {
        const char* sortCode;
        const char* expected;
    } lookups[] = {
        {"000000", "-"}, {"010003", "-"}, {"010004", "0"}, {"012345", "0"}, {"016715", "0"}, {"016716", "-"},
        {"070115", "-"}, {"070116", "12,13"}, {"070117", "-"}, {"089000", "1"}, {"089999", "1"}, {"999999", "-"},
    };
    for (const auto& file : files) {
        const WeightTable table = Parsed(file.text);
        EXPECT_EQ(table.RowCount(), 4u) << file.name;
        for (const auto& lookup : lookups) {
            EXPECT_EQ(Found(table, lookup.sortCode), lookup.expected) << file.name << ", sort code " << lookup.sortCode;
        }
    }
}

TEST(WeightTable, RefusesAMalformedLineNamingFileAndLine) {
    const std::string good = "010004 016715 MOD11" + kWeights + "\n";
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"a field too many", good + "020000 020000 MOD11" + kWeights + "   1   1\n",
         "VALACDOS.TXT line 2: 17 or 18 fields expected, 19 found"},
        {"cut short", good + "020000 020000 MOD11    0    0",
         "VALACDOS.TXT line 2: 17 or 18 fields expected, 5 found"},
        {"blank lines counted", "\r\n\r\n02000 020000 MOD11" + kWeights + "\r\n",
         "VALACDOS.TXT line 3: first sort code '02000' is not a sort code of six digits"},
        {"end before start", "020000 019999 MOD11" + kWeights, "VALACDOS.TXT line 1: the range ends before it starts"},
        {"method", "020000 020000 Mod11" + kWeights, "VALACDOS.TXT line 1: method 'Mod11' is not MOD10, MOD11 or DBLAL"},
        {"weight not a number", "020000 020000 MOD11    x" + kThirteenWeights,
         "VALACDOS.TXT line 1: weight 'x' is not a whole number from -999 to 9999"},
        {"weight too large", "020000 020000 MOD11 10000" + kThirteenWeights,
         "VALACDOS.TXT line 1: weight '10000' is not a whole number from -999 to 9999"},
        {"exception 15", "020000 020000 MOD11" + kWeights + "  15",
         "VALACDOS.TXT line 1: exception '15' is not a whole number from 1 to 14"},
        {"a third row for a range", good + good + good, "VALACDOS.TXT line 3: a third row for the range 010004-016715"},
        {"overlapping ranges", good + "016715 016800 MOD11" + kWeights,
         "VALACDOS.TXT line 2: the range 016715-016800 overlaps the range 010004-016715"},
        {"same start, other end", good + "010004 010005 MOD11" + kWeights,
         "VALACDOS.TXT line 2: the range 010004-010005 overlaps the range 010004-016715"},
        {"no rows", "\r\n\n", "VALACDOS.TXT: holds no rows"},
    };
    for (const auto& c : cases) {
        try {
            Parsed(c.text);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const TableError& error) {
            EXPECT_STREQ(error.what(), c.message) << c.name;
        }
    }
}

}  // namespace
