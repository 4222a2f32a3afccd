#include "accounts/substitution_table.h"

#include <algorithm>

#include "accounts/table_error.h"
#include "accounts/table_lines.h"

namespace {
bool ByOriginal(const std::pair<SortCode, SortCode>& pair, SortCode original) { return pair.first < original; }
}  // namespace

SubstitutionTable SubstitutionTable::Parse(std::istream& in, const std::string& fileName) {
    TableLines lines(in, fileName);
    SubstitutionTable table;
    while (lines.Next()) {
        lines.ExpectFieldCount(2, 2);
        const SortCode original = lines.SortCodeField(0, "original sort code");
        const SortCode substitute = lines.SortCodeField(1, "substitute sort code");
        auto& pairs = table.m_pairs;
        const auto place = std::lower_bound(pairs.begin(), pairs.end(), original, ByOriginal);
        if (place != pairs.end() && place->first == original) lines.Fail("a second substitute for " + original.Text());
        pairs.insert(place, {original, substitute});
    }
    if (table.m_pairs.empty()) throw TableError(fileName, 0, "holds no rows");
    return table;
}

SortCode SubstitutionTable::Substitute(SortCode sortCode) const noexcept {
    const auto place = std::lower_bound(m_pairs.begin(), m_pairs.end(), sortCode, ByOriginal);
    return place != m_pairs.end() && place->first == sortCode ? place->second : sortCode;
}
