#pragma once
#include <string_view>

// An amount column as a non-negative number of pounds. One pair of enclosing quotes goes, then
// every whitespace character, comma and minus sign wherever it stands (thousands separators and
// signs never survive), and the longest decimal number at the start of what remains is read with
// "." as the decimal point: 0 when there is none, +infinity when it is too large for a double.
// Only plain decimal notation with an optional exponent is read, so "inf", "nan" and hexadecimal
// text give 0 on every platform.
double ParseAmount(std::string_view text);

// An amount of more than this counts as an amount at all.
constexpr double kAmountThreshold = 0.000005;
