#include "statements/export/fitid.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <vector>

#include "statements/export/export_test_transactions.h"

namespace {

using export_test::Date;
using export_test::Transaction;

// The rule for the account of Transaction().
FitidRule Rule(bool datesAscend = false) { return FitidRule("123456", "12345678", datesAscend); }

std::string FitidOf(const ExportedTransaction& t) { return FitidRule(t.sortCode, t.account).Next(t); }

TEST(FitidRule, IsTheDateAHashAndTheOrderAmongIdenticalTransactions) {
    FitidRule rule = Rule();
    const std::string first = rule.Next(Transaction());
    EXPECT_TRUE(std::regex_match(first, std::regex("20100305-[0-9a-f]{16}-1"))) << first;
    const std::string second = rule.Next(Transaction());
    EXPECT_EQ(second, first.substr(0, first.size() - 1) + "2");
}

TEST(FitidRule, ChangesWithEachPartOfWhatTheTransactionIs) {
    const std::string base = FitidOf(Transaction());
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
        EXPECT_NE(FitidOf(changed), base) << c.part;
    }
}

TEST(FitidRule, DependsOnNothingElseInTheFile) {
    ExportedTransaction renumbered = Transaction();
    renumbered.number = 42;
    renumbered.reference = "other";
    renumbered.currency = "EUR";
    FitidRule overlapping = Rule();
    ExportedTransaction earlier = Transaction();
    earlier.date = Date(2010, 3, 4);
    overlapping.Next(earlier);
    EXPECT_EQ(overlapping.Next(renumbered), FitidOf(Transaction()));
}

TEST(FitidRule, CountsIdenticalTransactionsAcrossTheFileUnlessTheDatesAscend) {
    ExportedTransaction other = Transaction();
    other.date = Date(2010, 3, 6);
    const struct {
        bool datesAscend;
        std::vector<ExportedTransaction> file;
        const char* lastEndsWith;
    } cases[] = {
        {false, {Transaction(), other, Transaction()}, "-2"},
        {false, {Transaction(), Transaction(), other, other}, "-2"},
        {true, {Transaction(), Transaction(), other, other}, "-2"},
        {true, {Transaction(), other}, "-1"},
    };
    for (const auto& c : cases) {
        FitidRule rule = Rule(c.datesAscend);
        std::string last;
        for (const auto& t : c.file) last = rule.Next(t);
        EXPECT_EQ(last.substr(last.size() - 2), c.lastEndsWith) << c.datesAscend << " " << c.file.size();
    }
}

// A batch's hashes are made side by side: each must be the hash made alone.
TEST(FitidRule, HashesABatchAsOneByOne) {
    const FitidRule rule = Rule();
    std::vector<ExportedTransaction> transactions(FitidRule::kBatch, Transaction());
    const char* const narratives[] = {"", "A", "TESCO STORES 2231 REF 0001", "SMITH & CO"};
    for (std::size_t i = 0; i < FitidRule::kBatch; ++i) {
        transactions[i].narrative = narratives[i];
        transactions[i].debit = i % 2 == 0;
    }
    for (std::size_t count = 1; count <= FitidRule::kBatch; ++count) {
        std::vector<KeptTransaction> kept;
        std::vector<std::string_view> amounts(count, "12.50");
        for (std::size_t i = 0; i < count; ++i) kept.push_back(transactions[i].Kept());
        std::uint64_t hashes[FitidRule::kBatch];
        rule.HashEach(kept.data(), amounts.data(), count, hashes);
        for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(hashes[i], rule.HashOf(kept[i], "12.50")) << count << " " << i;
    }
}

}  // namespace
