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

std::string_view LastFieldOfSplitLine(std::string_view line) {
    // The last comma may lie inside a quoted last field; the quotes themselves find its start. One
    // walk back from the end meets the last comma, or the last quote (after that comma) first.
    std::size_t at = line.size();
    while (line[at - 1] != kComma && line[at - 1] != kQuote) --at;
    if (line[at - 1] == kComma) return line.substr(at);
    // The closing quote: the field runs from the nearest other quote before it, never the line's
    // first character; empty without one.
    const std::size_t closing = at - 1;
    std::size_t opening = closing;
    while (opening > 1 && line[opening - 1] != kQuote) --opening;
    return opening > 1 ? line.substr(opening - 1, closing - opening + 2) : line.substr(0, 0);
}

std::optional<std::string_view> GetLastField(std::string_view line) {
    if (line.find(kComma) == std::string_view::npos) return std::nullopt;
    return LastFieldOfSplitLine(line);
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
