#include "cli/export/cell_values.h"

#include <charconv>

#include "cli/calendar/date_text.h"
#include "cli/shared/utf8.h"

namespace cli {

namespace {

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// Sign, digits, at most one point, and at least one digit.
bool IsPlainDecimal(std::string_view text) {
    std::size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        if (IsDigitChar(text[at])) {
            digit = true;
        } else if (text[at] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// Sign and digits, at least one.
bool IsPlainInteger(std::string_view text) {
    const std::size_t first = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (first == text.size()) return false;
    for (std::size_t at = first; at < text.size(); ++at) {
        if (!IsDigitChar(text[at])) return false;
    }
    return true;
}

// from_chars takes a minus sign but no plus sign.
std::string_view WithoutPlus(std::string_view text) { return !text.empty() && text[0] == '+' ? text.substr(1) : text; }

template <class Integer>
Integer ParseIntegerCell(std::string_view cell, const std::string& what) {
    if (cell.empty()) return 0;
    if (!IsPlainInteger(cell)) throw CellError("is not " + what);
    const std::string_view number = WithoutPlus(cell);
    Integer value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc())
        throw CellError("is outside the range of " + what);
    return value;
}

}  // namespace

double ParseDecimalCell(std::string_view cell) {
    if (cell.empty()) return 0;
    if (!IsPlainDecimal(cell)) throw CellError("is not a decimal number with '.' as the point");
    const std::string_view number = WithoutPlus(cell);
    double value = 0;
    const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                               std::chars_format::fixed);
    if (error != std::errc() || stop != number.data() + number.size())
        throw CellError("is not a decimal number within range");
    return value;
}

std::int32_t ParseLongCell(std::string_view cell) { return ParseIntegerCell<std::int32_t>(cell, "a whole number of 32 bits"); }

std::int16_t ParseShortCell(std::string_view cell) { return ParseIntegerCell<std::int16_t>(cell, "a whole number of 16 bits"); }

double ParseDateCell(std::string_view cell) {
    if (cell.empty()) return 0;
    const auto date = ParseCommandLineDate(cell);
    if (!date) throw CellError("is not an existing date written DD/MM/YYYY or YYYY-MM-DD");
    return *date;
}

std::u16string ParseTextCell(std::string_view cell) {
    Utf8Result decoded = DecodeUtf8(cell);
    if (!decoded.ok) throw CellError("is not valid UTF-8 (at byte " + std::to_string(decoded.errorOffset + 1) + ")");
    return std::move(decoded.text);
}

}  // namespace cli
