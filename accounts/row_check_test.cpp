#include "accounts/row_check.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

SubstitutionTable NoSubstitutions() {
    std::istringstream text("999999 999998\n");
    return SubstitutionTable::Parse(text, "SCSUBTAB.TXT");
}

// The worked examples of the published description, and a total that a weight of -1 makes negative.
TEST(CheckRow, WorkedExamplesOfTheMethods) {
    const struct {
        ModulusMethod method;
        const char* sortCode;
        const char* account;
        Weights weights;
        int total;
        int remainder;
    } cases[] = {
        {ModulusMethod::Mod11, "000000", "58177632", {0, 0, 0, 0, 0, 0, 7, 5, 8, 3, 4, 6, 2, 1}, 176, 0},
        {ModulusMethod::DoubleAlternate, "499273", "12345678", {2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1}, 70, 0},
        {ModulusMethod::Mod11, "000000", "00000003", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1}, -3, 8},
    };
    const SubstitutionTable substitutions = NoSubstitutions();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        WeightRow row;
        row.method = c.method;
        row.weights = c.weights;
        const RowCheck check = CheckRow(row, *ModulusNumber::Of(*SortCode::FromDigits(c.sortCode), c.account), substitutions);
        EXPECT_EQ(check.total, c.total) << "case " << i + 1;
        EXPECT_EQ(check.remainder, c.remainder) << "case " << i + 1;
        EXPECT_EQ(check.passed, c.remainder == 0) << "case " << i + 1;
    }
}

}  // namespace
