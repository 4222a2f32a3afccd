#include "statements/line_fields.h"

#include "statements/field_splitting.h"

namespace {
constexpr char kSeparator = ',';
}

void LineFields::Split(std::string_view line) {
    m_line = line;
    m_separatorCount = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == kSeparator && !quoted) {
            if (m_separatorCount < kKeptSeparators) m_separators[static_cast<std::size_t>(m_separatorCount)] = i;
            ++m_separatorCount;
        }
    }
    m_count = m_separatorCount + 1 - (quoted ? 1 : 0);
}

std::optional<std::string_view> LineFields::Field(int n) const {
    if (n < 1) return std::nullopt;
    if (n > kKeptSeparators) return GetField(m_line, kSeparator, n);
    if (n <= m_separatorCount) {
        const std::size_t end = m_separators[static_cast<std::size_t>(n - 1)];
        const std::size_t start = n == 1 ? 0 : m_separators[static_cast<std::size_t>(n - 2)] + 1;
        return m_line.substr(start, end - start);
    }
    if (n == m_separatorCount + 1) return GetLastField(m_line);
    return std::nullopt;
}
