#pragma once
#include <string>
#include <string_view>

// The payment export's own single-byte conversion: at most 255 characters, each UTF-16 unit from
// U+0001 to U+00FF becoming the byte of the same value; it stops at the first unit above U+00FF
// (or at U+0000) and keeps what it converted before.
std::string ToSingleByte(std::u16string_view text);

// Only the characters "0" to "9", in their order.
std::string DigitsOnly(std::string_view text);

// The single-byte conversion followed by DigitsOnly: 12-34-56 and 12 34 56 both give 123456.
std::string ToDigitsOnly(std::u16string_view text);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
