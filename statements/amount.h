#pragma once
#include <optional>
#include <string_view>

// An amount column as a non-negative number of pounds. One pair of enclosing quotes goes, then
// every whitespace character, comma and minus sign wherever it stands (thousands separators and
// signs never survive), and the longest decimal number at the start of what remains is read with
// "." as the decimal point: 0 when there is none, +infinity when it is too large for a double.
// Only plain decimal notation with an optional exponent is read, so "inf", "nan" and hexadecimal
// text give 0 on every platform.
double ParseAmount(std::string_view text);

// ParseAmount of a column that must hold an amount or nothing at all: nothing when, once the
// quotes, whitespace, commas, minus signs and one leading '+' are gone, what remains is neither
// empty nor from its first to its last character a decimal number ("BAC", "\xA3" "12.50",
// "(64.99)", "12.50 GBP").
std::optional<double> ParseWholeAmount(std::string_view text);
// Whether ParseWholeAmount would give a value, without reading one.
bool IsWholeAmount(std::string_view text);

// ParseWholeAmount of the shape nearly every amount column has, read straight from the column
// without a copy: digits with at most one ".", among whitespace, commas and minus signs, in one
// pair of enclosing quotes or none, whose value a double holds exactly (at most 2^53 without the
// point, at most 22 decimals). Nothing for any other shape, which ParseWholeAmount then reads.
std::optional<double> ParsePlainAmount(std::string_view text);

// An amount of more than this counts as an amount at all.
constexpr double kAmountThreshold = 0.000005;
