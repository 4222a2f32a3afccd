#include "statements/export/fitid.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "statements/export/export_test_transactions.h"

namespace {

using export_test::Date;
using export_test::Transaction;

TEST(FitidRule, IsTheDateAHashAndTheOrderAmongIdenticalTransactions) {
    FitidRule rule;
    const std::string first = rule.Next(Transaction());
    EXPECT_TRUE(std::regex_match(first, std::regex("20100305-[0-9a-f]{16}-1"))) << first;
    const std::string second = rule.Next(Transaction());
    EXPECT_EQ(second, first.substr(0, first.size() - 1) + "2");
}

TEST(FitidRule, ChangesWithEachPartOfWhatTheTransactionIs) {
    const std::string base = FitidRule().Next(Transaction());
    const struct {
        const char* part;
        std::function<void(ExportedTransaction&)> change;
    } cases[] = {
        {"sort code", [](ExportedTransaction& t) { t.sortCode = "123457"; }},
        {"account", [](ExportedTransaction& t) { t.account = "12345679"; }},
        {"date", [](ExportedTransaction& t) { t.date = Date(2010, 3, 6); }},
        {"direction", [](ExportedTransaction& t) { t.debit = false; }},
        {"amount", [](ExportedTransaction& t) { t.amount = 12.51; }},
        {"type", [](ExportedTransaction& t) { t.typeCode = "SO"; }},
        {"narrative", [](ExportedTransaction& t) { t.narrative = "TESCO STORE"; }},
        {"parts run together", [](ExportedTransaction& t) { t.typeCode = "DDT"; t.narrative = "ESCO STORES"; }},
    };
    for (const auto& c : cases) {
        ExportedTransaction changed = Transaction();
        c.change(changed);
        EXPECT_NE(FitidRule().Next(changed), base) << c.part;
    }
}

TEST(FitidRule, DependsOnNothingElseInTheFile) {
    ExportedTransaction renumbered = Transaction();
    renumbered.number = 42;
    renumbered.reference = "other";
    renumbered.currency = "EUR";
    FitidRule overlapping;
    ExportedTransaction earlier = Transaction();
    earlier.date = Date(2010, 3, 4);
    overlapping.Next(earlier);
    EXPECT_EQ(overlapping.Next(renumbered), FitidRule().Next(Transaction()));
}

}  // namespace
