#include "accounts/weight_table.h"

#include <algorithm>
#include <utility>

#include "accounts/table_error.h"
#include "accounts/table_lines.h"

namespace {

// The fields of a line: start, end, method, fourteen weights, and the optional exception.
constexpr std::size_t kMethodField = 2;
constexpr std::size_t kFirstWeightField = 3;
constexpr std::size_t kExceptionField = kFirstWeightField + kPositions;
constexpr std::size_t kMostRowsPerRange = 2;
// What the published format's four characters for a weight can hold.
constexpr int kLowestWeight = -999;
constexpr int kHighestWeight = 9999;
constexpr int kHighestException = 14;

ModulusMethod MethodField(const TableLines& lines) {
    const std::string_view text = lines.Fields()[kMethodField];
    if (text == "MOD10") return ModulusMethod::Mod10;
    if (text == "MOD11") return ModulusMethod::Mod11;
    if (text == "DBLAL") return ModulusMethod::DoubleAlternate;
    lines.Fail("method '" + ShownField(text) + "' is not MOD10, MOD11 or DBLAL");
}

WeightRow ReadRow(const TableLines& lines) {
    lines.ExpectFieldCount(kExceptionField, kExceptionField + 1);
    WeightRow row;
    row.start = lines.SortCodeField(0, "first sort code");
    row.end = lines.SortCodeField(1, "last sort code");
    if (row.end < row.start) lines.Fail("the range ends before it starts");
    row.method = MethodField(lines);
    for (std::size_t i = 0; i < kPositions; ++i) {
        row.weights[i] = lines.NumberField(kFirstWeightField + i, kLowestWeight, kHighestWeight, "weight");
    }
    if (lines.Fields().size() > kExceptionField) {
        row.exception = lines.NumberField(kExceptionField, 1, kHighestException, "exception");
    }
    row.line = lines.Line();
    return row;
}

std::string RangeText(const WeightRow& row) { return row.start.Text() + "-" + row.end.Text(); }

}  // namespace

WeightTable WeightTable::Parse(std::istream& in, const std::string& fileName) {
    TableLines lines(in, fileName);
    std::vector<WeightRow> rows;
    while (lines.Next()) rows.push_back(ReadRow(lines));
    if (rows.empty()) throw TableError(fileName, 0, "holds no rows");
    return WeightTable(std::move(rows), fileName);
}

WeightTable::WeightTable(std::vector<WeightRow> rows, const std::string& fileName) : m_rows(std::move(rows)) {
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const WeightRow& a, const WeightRow& b) { return a.start < b.start; });
    // A fault is reported at the later of the two lines involved, where a reader of the file sees it.
    const auto fail = [&](const WeightRow& a, const WeightRow& b, const std::string& reason) {
        throw TableError(fileName, std::max(a.line, b.line), reason);
    };
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const WeightRow& row = m_rows[i];
        if (!m_ranges.empty()) {
            Range& last = m_ranges.back();
            const WeightRow& lastRow = m_rows[last.firstRow];
            if (row.start == last.start && row.end == last.end) {
                if (last.rowCount == kMostRowsPerRange) fail(lastRow, row, "a third row for the range " + RangeText(row));
                ++last.rowCount;
                continue;
            }
            if (row.start <= last.end) fail(lastRow, row, "the range " + RangeText(row) + " overlaps the range " + RangeText(lastRow));
        }
        m_ranges.push_back({row.start, row.end, i, 1});
    }
}

RowSpan WeightTable::Lookup(SortCode sortCode) const noexcept {
    const auto after = std::upper_bound(m_ranges.begin(), m_ranges.end(), sortCode,
                                        [](SortCode code, const Range& range) { return code < range.start; });
    if (after == m_ranges.begin()) return {};
    const Range& range = *std::prev(after);
    if (range.end < sortCode) return {};
    return {&m_rows[range.firstRow], range.rowCount};
}
