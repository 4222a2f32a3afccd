#include "accounts/account_check.h"

#include "accounts/account_standardisation.h"

namespace {

// Exception 14 tries the account number once more, shifted, only when it ends in 0, 1 or 9.
bool MayShift(const ModulusNumber& n) noexcept { return n[kH] == 0 || n[kH] == 1 || n[kH] == 9; }

// Pairs of which one passing check is enough: 2 and 9, 10 and 11, 12 and 13. Every other pair,
// exception 5 included, needs both.
bool EitherPasses(const RowSpan& rows) noexcept {
    const int first = rows[0].exception;
    const int second = rows[1].exception;
    return (first == 2 && second == 9) || (first == 10 && second == 11) || (first == 12 && second == 13);
}

class Checker {
public:
    Checker(const ModulusTables& tables, const ModulusNumber& number, CheckOutcome& outcome) noexcept
        : m_tables(tables), m_number(number), m_outcome(outcome) {}

    bool OneRow() noexcept {
        const WeightRow& row = m_outcome.rows[0];
        if (Run(row, m_number)) return true;
        if (row.exception != 14 || !MayShift(m_number)) return false;
        return Run(row, m_number.WithAccountShifted());
    }

    // The first check decides alone when it passes where one is enough, or fails where both are needed.
    bool TwoRows() noexcept {
        const bool first = Run(m_outcome.rows[0], m_number);
        const bool decided = EitherPasses(m_outcome.rows) ? first : !first;
        return decided ? first : Run(m_outcome.rows[1], m_number);
    }

private:
    bool Run(const WeightRow& row, const ModulusNumber& number) noexcept {
        RowCheck& check = m_outcome.checks[m_outcome.checkCount++];
        check = CheckRow(row, number, m_tables.substitutions);
        return check.passed;
    }

    const ModulusTables& m_tables;
    const ModulusNumber& m_number;
    CheckOutcome& m_outcome;
};

}  // namespace

CheckOutcome CheckAccount(const ModulusTables& tables, std::string_view sortCode, std::string_view account) noexcept {
    CheckOutcome outcome;
    const auto number = StandardiseAccount(sortCode, account);
    if (!number) return outcome;
    outcome.rows = tables.weights.Lookup(number->GetSortCode());
    if (outcome.rows.empty()) {
        outcome.result = CheckResult::Unchecked;
        return outcome;
    }
    Checker checker(tables, *number, outcome);
    const bool valid = outcome.rows.size() == 1 ? checker.OneRow() : checker.TwoRows();
    outcome.result = valid ? CheckResult::Valid : CheckResult::Invalid;
    return outcome;
}
