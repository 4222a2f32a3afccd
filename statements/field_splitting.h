#pragma once
#include <optional>
#include <string_view>

// How a statement line splits into fields. A double quote toggles a quoted state in which the
// separator does not split; quotes are never unescaped.

// The number of fields of `line`. `quoted` is the caller's quoted state, to be reset before each
// line; it is left as the line's end leaves it. A line that ends inside a quote counts one less.
int CountFields(std::string_view line, char separator, bool& quoted);
// A missing line (nullptr) counts 0.
int CountFields(const char* line, char separator, bool& quoted);

// Field `n` (from 1) of `line`, with any quote characters it contains, as a view into `line`; or
// nothing when the line has no such field. The last field may be enclosed in quotes that hold
// separators: it runs from its opening to its closing quote, and whatever follows that closing
// quote (a CR left by a CRLF line end) is ignored.
std::optional<std::string_view> GetField(std::string_view line, char separator, int n);

// The last field of a line that counted n - 1 separators outside quotes (see GetField): nothing
// when the line holds no comma at all.
std::optional<std::string_view> GetLastField(std::string_view line);
// The same of a line known to hold a comma, such as one with a separator outside quotes.
std::string_view LastFieldOfSplitLine(std::string_view line);

// `value` without one pair of enclosing double quotes; unchanged when it is not enclosed.
// Inline: the reader takes it for every column of every line.
inline std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}
