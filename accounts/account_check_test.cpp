#include "accounts/account_check.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "accounts/table_choice.h"

namespace {

const ModulusTables& ShippedTables() {
    static const ModulusTables tables = LoadTablesIn(VARROW_MODULUS_DIR).tables;
    return tables;
}

// What a failure shows: the result and, for each check carried out, its row's line, total and remainder.
std::string Shown(const CheckOutcome& outcome) {
    std::ostringstream text;
    text << CheckResultName(outcome.result);
    for (std::size_t i = 0; i < outcome.checkCount; ++i) {
        const RowCheck& check = outcome.checks[i];
        text << "; check " << i + 1 << " (line " << check.row->line << ", ex " << check.row->exception << "): ";
        if (check.skipped) {
            text << "skipped";
        } else {
            text << "total " << check.total << " r" << check.remainder << (check.passed ? " pass" : " fail");
        }
    }
    return text.str();
}

constexpr int kSkipped = -1;  // exception 3 or 6: the check is not carried out
constexpr int kNone = -2;     // the sort code has one row

constexpr CheckResult Y = CheckResult::Valid;
constexpr CheckResult N = CheckResult::Invalid;

// The 34 official test cases, with the totals of section 7 of the description
// (exception 14's second stage as the second check). For pairs where the first check decides
// alone, the second total is never computed.
TEST(CheckAccount, OfficialTestCases) {
    const struct {
        int number;
        const char* sortCode;
        const char* account;
        CheckResult expected;
        int firstTotal;
        int secondTotal;
        int decidingException;
    } cases[] = {
        {1, "089999", "66374958", Y, 180, kNone, 0},
        {2, "107999", "88837491", Y, 242, kNone, 0},
        {3, "202959", "63748472", Y, 143, 60, 6},
        {4, "871427", "46238510", Y, 253, 237, 10},
        {5, "872427", "46238510", Y, 254, 242, 11},
        {6, "871427", "09123496", Y, 121, 246, 10},
        {7, "871427", "99123496", Y, 121, 246, 10},
        {8, "820000", "73688637", Y, 165, kSkipped, 3},
        {9, "827999", "73988638", Y, 187, kSkipped, 3},
        {10, "827101", "28748352", Y, 132, 50, 3},
        {11, "134020", "63849203", Y, 179, kNone, 4},
        {12, "118765", "64371389", Y, 90, kNone, 1},
        {13, "200915", "41011166", Y, kSkipped, kSkipped, 6},
        {14, "938611", "07806039", Y, 250, 51, 5},
        {15, "938600", "42368003", Y, 253, 57, 5},
        {16, "938063", "55065200", Y, 253, 40, 5},
        {17, "772798", "99345694", Y, 187, kNone, 7},
        {18, "086090", "06774744", Y, 160, kNone, 8},
        {19, "309070", "02355688", Y, 209, 217, 2},
        {20, "309070", "12345668", Y, 240, 209, 9},
        {21, "309070", "12345677", Y, 242, 210, 2},
        {22, "309070", "99345694", Y, 187, 268, 2},
        {23, "938063", "15764273", N, 257, 58, 5},
        {24, "938063", "15764264", N, 257, 56, 5},
        {25, "938063", "15763217", N, 254, 53, 5},
        {26, "118765", "64371388", N, 89, kNone, 1},
        {27, "203099", "66831036", N, 121, 61, 6},
        {28, "203099", "58716970", N, 168, 60, 6},
        {29, "089999", "66374959", N, 181, kNone, 0},
        {30, "107999", "88837493", N, 244, kNone, 0},
        {31, "074456", "12345112", Y, 231, 224, 12},
        {32, "070116", "34012583", Y, 231, 250, 12},
        {33, "074456", "11104102", Y, 177, 170, 13},
        {34, "180002", "00000190", Y, 21, 11, 14},
    };
    for (const auto& c : cases) {
        const CheckOutcome outcome = CheckAccount(ShippedTables(), c.sortCode, c.account);
        const std::string shown = "case " + std::to_string(c.number) + " " + c.sortCode + " " + c.account + ": " + Shown(outcome);
        EXPECT_STREQ(CheckResultName(outcome.result), CheckResultName(c.expected)) << shown;
        EXPECT_EQ(outcome.DecidingException(), c.decidingException) << shown;
        const int expectedTotals[] = {c.firstTotal, c.secondTotal};
        ASSERT_GE(outcome.checkCount, 1u) << shown;
        for (std::size_t i = 0; i < outcome.checkCount; ++i) {
            const RowCheck& check = outcome.checks[i];
            EXPECT_EQ(check.skipped ? kSkipped : check.total, expectedTotals[i]) << shown << " (check " << i + 1 << ")";
        }
    }
}

// The description's extra vectors, each where some implementation differs, and the boundaries
// around the checks themselves.
TEST(CheckAccount, ExtraVectors) {
    const struct {
        const char* sortCode;
        const char* account;
        CheckResult expected;
    } cases[] = {
        {"871427", "09610735", N},  // exception 10 needs g = 9 for ab = 09 too
        {"118765", "10679247", N},  // exception 1 always adds 27
        {"134020", "00949480", N},  // exception 4 compares with 10g + h
        {"180002", "07885261", Y},  // exception 14 shifts only after the first check fails
        {"309070", "81276842", N},  // exception 2 uses the substitute weights when a is not 0
        {"938600", "05856732", N},  // exception 5 substitutes for the DBLAL check too
        {"180002", "00000195", N},  // exception 14 with h not 0, 1 or 9
        {"180002", "98093517", Y},  // exception 14 passing at once (the description's example)
        {"999999", "12345678", CheckResult::Unchecked},
        {"090110", "800000000", Y},  // Santander: 090118 (with a row) is looked up, not 090110 (none)
        {"12-34-5", "12345678", CheckResult::Malformed},
        {"123456", "12345", CheckResult::Malformed},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const CheckOutcome outcome = CheckAccount(ShippedTables(), c.sortCode, c.account);
        EXPECT_STREQ(CheckResultName(outcome.result), CheckResultName(c.expected))
            << "vector " << i + 1 << " " << c.sortCode << " " << c.account << ": " << Shown(outcome);
    }
}

}  // namespace
