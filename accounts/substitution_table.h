#pragma once
#include <istream>
#include <string>
#include <utility>
#include <vector>

#include "accounts/sort_code.h"

// The sorting code substitution table (SCSUBTAB): the sort code that exception 5 calculates with
// in place of an original one.
class SubstitutionTable {
public:
    // Reads a table in its published format: per line an original and its substitute sort code,
    // separated by a space. Throws TableError naming `fileName` and the line for any line that is
    // not so or that repeats an original, and for a file without rows.
    static SubstitutionTable Parse(std::istream& in, const std::string& fileName);

    // The substitute of `sortCode`, or the sort code itself when it has none.
    SortCode Substitute(SortCode sortCode) const noexcept;
    std::size_t RowCount() const noexcept { return m_pairs.size(); }

private:
    std::vector<std::pair<SortCode, SortCode>> m_pairs;  // by original
};
