#pragma once
#include <string>

// The amount rule of the upload files: fixed point with exactly two decimals, "." as the point,
// no thousands separator, "-" in front of a negative value. The cents are rounded from the exact
// binary value of the double, and only a value exactly halfway between two cents (0.125, 0.375,
// ...) rounds away from zero. So 1.005, stored as 1.00499999999999989..., gives 1.00, while 0.005,
// stored as 0.00500000000000000010..., gives 0.01. Done with integer arithmetic, not printf, so
// that every C runtime writes the same bytes.
//
// -0.0 is not negative and gives 0.00; a negative value that rounds to nothing keeps its sign
// (-0.001 gives -0.00). NaN and the infinities are no amount at all and give empty text.
std::string FormatAmount(double value);
