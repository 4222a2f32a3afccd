#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// One line split in a single pass, giving the same count and fields as CountFields and GetField.
// The reader takes up to 18 columns of every line; walking the line again for each of them would
// cost most of the reading time.
class LineFields {
public:
    void Split(std::string_view line);

    // CountFields of the line, with a fresh quoted state.
    int Count() const noexcept { return m_count; }
    // GetField of the line, separator ",".
    std::optional<std::string_view> Field(int n) const;

private:
    // Separator positions kept; a field beyond them is found by GetField itself.
    static constexpr int kKeptSeparators = 20;

    std::string_view m_line;
    std::array<std::size_t, kKeptSeparators> m_separators{};
    int m_separatorCount = 0;
    int m_count = 0;
};
