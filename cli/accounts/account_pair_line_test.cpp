#include "cli/accounts/account_pair_line.h"

#include <gtest/gtest.h>

#include <string>

namespace cli {
namespace {

TEST(SplitAccountPair, CommaTabOrBlanks) {
    const struct {
        const char* line;
        const char* expected;  // "sort code|account", or null: no pair
    } rows[] = {
        {"08-99-99,66374958", "08-99-99|66374958"},
        {" 08-99-99 , 6637 4958 \r", " 08-99-99 | 6637 4958 "},  // exactly as given, but for the line's CR
        {"089999\t66374958", "089999|66374958"},
        {"08-99-99   66374958", "08-99-99|66374958"},
        {"08 99 99,66374958", "08 99 99|66374958"},
        {"08 99 99 66374958", nullptr},  // blanks inside a value need a comma or tab
        {"089999,66374958,x", nullptr},
        {"089999,", "089999|"},  // a blank cell: an empty value, for the check to call malformed
        {",66374958", "|66374958"},
        {"089999\t\r", "089999|"},
        {"089999", nullptr},
        {"089999 ", nullptr},
        {"", nullptr},
    };
    for (const auto& row : rows) {
        const auto pair = SplitAccountPair(row.line);
        const std::string shown = pair ? std::string(pair->sortCode) + "|" + std::string(pair->account) : "<none>";
        EXPECT_EQ(shown, row.expected ? row.expected : "<none>") << "line [" << row.line << "]";
    }
}

TEST(IsEmptyAccountLine, BlanksAndSeparatorsOnly) {
    for (const char* line : {"", " \r", ",", " , ", "\t", ",,"}) EXPECT_TRUE(IsEmptyAccountLine(line)) << "[" << line << "]";
    for (const char* line : {"0", ",1", "089999,"}) EXPECT_FALSE(IsEmptyAccountLine(line)) << "[" << line << "]";
}

}  // namespace
}  // namespace cli
