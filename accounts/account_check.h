#pragma once
#include <array>
#include <cstddef>
#include <string_view>

#include "accounts/modulus_tables.h"
#include "accounts/row_check.h"

enum class CheckResult {
    Valid,      // the checks of the sort code's rows pass
    Invalid,    // they fail
    Unchecked,  // the tables hold no row for the sort code, so nothing can be checked
    Malformed,  // not six sort code digits, or not six to ten account digits, once spaces and hyphens are gone
};

// Its rows point into the tables it was checked with.
struct CheckOutcome {
    CheckResult result = CheckResult::Malformed;
    RowSpan rows;                      // the rows of the sort code, in the order of the file
    std::array<RowCheck, 2> checks{};  // the checks carried out, in order; the last one decided
    std::size_t checkCount = 0;        // exception 14's second stage counts as a second check

    // The check that decided the result; null when none was carried out.
    const RowCheck* Deciding() const noexcept { return checkCount > 0 ? &checks[checkCount - 1] : nullptr; }
    // The exception of the deciding check's row; 0 when it has none or no check was carried out.
    int DecidingException() const noexcept { return checkCount > 0 ? Deciding()->row->exception : 0; }
};

// The UK modulus check of a sort code and account number as typed (see StandardiseAccount for
// what they may look like), following the published description: the one or two rows of the
// sort code, combined as their exceptions say.
CheckOutcome CheckAccount(const ModulusTables& tables, std::string_view sortCode, std::string_view account) noexcept;
