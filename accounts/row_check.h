#pragma once
#include "accounts/modulus_number.h"
#include "accounts/substitution_table.h"
#include "accounts/weight_table.h"

// One row's check of one number.
struct RowCheck {
    const WeightRow* row = nullptr;
    int total = 0;          // the weighted total, with the 27 that exception 1 adds
    int remainder = 0;      // of the total by the method's modulus, never negative
    bool skipped = false;   // exception 3 or 6: the check is not carried out and counts as passed
    bool passed = false;
};

// Runs `row`'s method on `number` with what the row's exception changes (section 4 of the
// published description: exceptions 1 to 10; 11 to 14 change nothing within one row).
RowCheck CheckRow(const WeightRow& row, const ModulusNumber& number, const SubstitutionTable& substitutions) noexcept;
