#include "accounts/table_lines.h"

#include <algorithm>
#include <charconv>

#include "accounts/table_error.h"

namespace {
constexpr std::size_t kLongestShownField = 16;
constexpr std::string_view kSeparators = " \t";
}  // namespace

TableLines::TableLines(std::istream& in, std::string fileName) : m_in(in), m_fileName(std::move(fileName)) {}

bool TableLines::Next() {
    m_fields.clear();
    while (m_fields.empty()) {
        if (!std::getline(m_in, m_text)) {
            if (m_in.bad()) throw TableError(m_fileName, 0, "cannot be read");
            return false;
        }
        ++m_line;
        if (!m_text.empty() && m_text.back() == '\r') m_text.pop_back();
        const std::string_view text = m_text;
        for (std::size_t start = text.find_first_not_of(kSeparators); start != std::string_view::npos;) {
            const std::size_t end = std::min(text.find_first_of(kSeparators, start), text.size());
            m_fields.push_back(text.substr(start, end - start));
            start = text.find_first_not_of(kSeparators, end);
        }
    }
    return true;
}

void TableLines::Fail(const std::string& reason) const { throw TableError(m_fileName, m_line, reason); }

void TableLines::ExpectFieldCount(std::size_t fewest, std::size_t most) const {
    const std::size_t count = m_fields.size();
    if (count >= fewest && count <= most) return;
    const std::string expected = fewest == most ? std::to_string(fewest)
                                                : std::to_string(fewest) + " or " + std::to_string(most);
    Fail(expected + " fields expected, " + std::to_string(count) + " found");
}

SortCode TableLines::SortCodeField(std::size_t index, const char* what) const {
    const auto sortCode = SortCode::FromDigits(m_fields[index]);
    if (!sortCode) Fail(std::string(what) + " '" + ShownField(m_fields[index]) + "' is not a sort code of six digits");
    return *sortCode;
}

int TableLines::NumberField(std::size_t index, int lowest, int highest, const char* what) const {
    const std::string_view field = m_fields[index];
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value < lowest || value > highest) {
        Fail(std::string(what) + " '" + ShownField(field) + "' is not a whole number from " + std::to_string(lowest) +
             " to " + std::to_string(highest));
    }
    return value;
}

std::string ShownField(std::string_view field) {
    std::string shown;
    for (const char c : field.substr(0, kLongestShownField)) shown += c >= ' ' && c <= '~' ? c : '?';
    if (field.size() > kLongestShownField) shown += "...";
    return shown;
}
