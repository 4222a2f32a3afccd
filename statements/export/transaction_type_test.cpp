#include "statements/export/transaction_type.h"

#include <gtest/gtest.h>

namespace {

TEST(BankTransactionTypes, NameEachCodeOnce) {
    for (const auto& a : kBankTransactionTypes) {
        int seen = 0;
        for (const auto& b : kBankTransactionTypes) seen += a.code == b.code;
        EXPECT_EQ(seen, 1) << a.code;
    }
}

TEST(OfxTransactionType, GoesByDirectionForCodesItDoesNotKnow) {
    const struct {
        const char* code;
        bool debit;
        const char* type;
    } cases[] = {{"BAC", true, "DEBIT"}, {"TFR", false, "CREDIT"}, {"", true, "DEBIT"},
                 {"chq", true, "DEBIT"}, {"CH", false, "CREDIT"}, {"CHQX", true, "DEBIT"}};
    for (const auto& c : cases) EXPECT_EQ(OfxTransactionType(c.code, c.debit), c.type) << "[" << c.code << "]";
}

TEST(OfxTransactionType, KnowsEachKindTheBankNames) {
    const struct {
        const char* code;
        bool debit;
        const char* type;
    } cases[] = {{"CHQ", false, "CHECK"},   {"DD", true, "DIRECTDEBIT"}, {"DD", false, "CREDIT"},
                 {"SO", true, "REPEATPMT"}, {"BGC", false, "CREDIT"},    {"POS", true, "POS"},
                 {"CPT", true, "ATM"},      {"CSH", true, "CASH"},       {"CHG", true, "FEE"},
                 {"CHG", false, "CREDIT"},  {"INT", false, "INT"}};
    for (const auto& c : cases) EXPECT_EQ(OfxTransactionType(c.code, c.debit), c.type) << c.code << " " << c.debit;
}

}  // namespace
