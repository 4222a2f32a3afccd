#pragma once
#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "accounts/modulus_number.h"
#include "accounts/sort_code.h"

enum class ModulusMethod { Mod10, Mod11, DoubleAlternate };

using Weights = std::array<int, kPositions>;

// One row of the modulus weight table (VALACDOS).
struct WeightRow {
    SortCode start = SortCode::Of(0);  // the range of sort codes, both ends included
    SortCode end = SortCode::Of(0);
    ModulusMethod method = ModulusMethod::Mod11;
    Weights weights{};  // for the positions u to h
    int exception = 0;  // 1 to 14; 0 for none
    std::size_t line = 0;  // where the row stands in its file
};

// The rows of one sort code, in the order of the file: none, one, or a pair.
class RowSpan {
public:
    RowSpan() = default;
    RowSpan(const WeightRow* first, std::size_t count) noexcept : m_first(first), m_count(count) {}
    const WeightRow* begin() const noexcept { return m_first; }
    const WeightRow* end() const noexcept { return m_first + m_count; }
    std::size_t size() const noexcept { return m_count; }
    bool empty() const noexcept { return m_count == 0; }
    const WeightRow& operator[](std::size_t index) const noexcept { return m_first[index]; }

private:
    const WeightRow* m_first = nullptr;
    std::size_t m_count = 0;
};

// The modulus weight table, read once and looked up by binary search over its ranges.
class WeightTable {
public:
    // Reads a table in its published format: per line the first and last sort code of a range,
    // MOD10, MOD11 or DBLAL, fourteen weights and an optional exception from 1 to 14, separated by
    // spaces. At most two rows may share a range (and they keep their order); ranges may not
    // otherwise overlap. Throws TableError naming `fileName` and the line for any line that is not
    // so, and for a file without rows.
    static WeightTable Parse(std::istream& in, const std::string& fileName);

    RowSpan Lookup(SortCode sortCode) const noexcept;
    std::size_t RowCount() const noexcept { return m_rows.size(); }

private:
    struct Range {
        SortCode start;
        SortCode end;
        std::size_t firstRow;
        std::size_t rowCount;
    };

    WeightTable(std::vector<WeightRow> rows, const std::string& fileName);

    std::vector<WeightRow> m_rows;  // by range, the rows of one range in the order of the file
    std::vector<Range> m_ranges;    // by start, none overlapping
};
