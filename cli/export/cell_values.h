#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cli {

// The values of the payment list's cells. Each throws CellError saying what the cell should hold;
// an empty cell reads as 0, as a missing column does.

class CellError : public std::runtime_error {
public:
    explicit CellError(const std::string& what) : std::runtime_error(what) {}
};

// Digits with an optional sign and at most one "." (12, -5.00, 0.004, .5); nothing else: no
// exponent, no thousands separator, no currency sign, no blanks.
double ParseDecimalCell(std::string_view cell);

// A whole number with an optional sign, within the range of the property.
std::int32_t ParseLongCell(std::string_view cell);
std::int16_t ParseShortCell(std::string_view cell);

// DD/MM/YYYY or YYYY-MM-DD, as an OLE date at midnight.
double ParseDateCell(std::string_view cell);

// UTF-8 text as UTF-16.
std::u16string ParseTextCell(std::string_view cell);

}  // namespace cli
