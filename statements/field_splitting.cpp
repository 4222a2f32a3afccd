#include "statements/field_splitting.h"

namespace {
constexpr char kQuote = '"';
constexpr char kComma = ',';
}  // namespace

int CountFields(std::string_view line, char separator, bool& quoted) {
    int count = 1;
    for (const char c : line) {
        if (c == kQuote) {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            ++count;
        }
    }
    if (quoted && count > 0) --count;
    return count;
}

int CountFields(const char* line, char separator, bool& quoted) {
    return line ? CountFields(std::string_view(line), separator, quoted) : 0;
}

std::optional<std::string_view> GetLastField(std::string_view line) {
    // The last comma may lie inside a quoted last field; the quotes themselves find its start.
    // One walk back from the end finds the last comma and the last quote after it, if any.
    std::size_t closing = std::string_view::npos;
    std::size_t comma = line.size();
    while (comma > 0 && line[comma - 1] != kComma) {
        if (closing == std::string_view::npos && line[comma - 1] == kQuote) closing = comma - 1;
        --comma;
    }
    if (comma == 0) return std::nullopt;
    if (closing == std::string_view::npos) return line.substr(comma);
    for (auto opening = closing - 1; opening >= 1; --opening) {
        if (line[opening] == kQuote) return line.substr(opening, closing - opening + 1);
    }
    return line.substr(0, 0);
}

std::optional<std::string_view> GetField(std::string_view line, char separator, int n) {
    if (n < 1) return std::nullopt;
    bool quoted = false;
    int separators = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == kQuote) {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            if (++separators == n) return line.substr(start, i - start);
            start = i + 1;
        }
    }
    if (separators == n - 1) return GetLastField(line);
    return std::nullopt;
}
