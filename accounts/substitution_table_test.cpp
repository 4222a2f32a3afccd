#include "accounts/substitution_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "accounts/table_error.h"

namespace {

SubstitutionTable Parsed(const std::string& text) {
    std::istringstream in(text);
    return SubstitutionTable::Parse(in, "SCSUBTAB.TXT");
}

TEST(SubstitutionTable, SubstitutesOriginalsOnly) {
    const SubstitutionTable table = Parsed("938600 938611\r\n938173 938017\r\n");
    const struct {
        const char* sortCode;
        const char* expected;
    } cases[] = {{"938600", "938611"}, {"938173", "938017"}, {"938611", "938611"}, {"000000", "000000"}, {"999999", "999999"}};
    for (const auto& c : cases) {
        EXPECT_EQ(table.Substitute(*SortCode::FromDigits(c.sortCode)).Text(), c.expected) << c.sortCode;
    }
}

TEST(SubstitutionTable, RefusesAMalformedLineNamingFileAndLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"938600 938611\n938173\n", "SCSUBTAB.TXT line 2: 2 fields expected, 1 found"},
        {"938600 938611 938612\n", "SCSUBTAB.TXT line 1: 2 fields expected, 3 found"},
        {"93860O 938611\n", "SCSUBTAB.TXT line 1: original sort code '93860O' is not a sort code of six digits"},
        {"938600 9386111\n", "SCSUBTAB.TXT line 1: substitute sort code '9386111' is not a sort code of six digits"},
        {"938600 938611\n\n938600 938612\n", "SCSUBTAB.TXT line 3: a second substitute for 938600"},
        {"", "SCSUBTAB.TXT: holds no rows"},
    };
    for (const auto& c : cases) {
        try {
            Parsed(c.text);
            ADD_FAILURE() << "[" << c.text << "]: no error";
        } catch (const TableError& error) {
            EXPECT_STREQ(error.what(), c.message) << "[" << c.text << "]";
        }
    }
}

}  // namespace
