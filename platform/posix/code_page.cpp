// Windows-1252, the ANSI code page of an English Windows and of Wine in an English locale.
#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace platform {
namespace {

// 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined (it then maps to the same code point).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ByteToWide(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) return kHighControls[byte - 0x80];
    return byte;
}

char WideToByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), unit);
    if (found != kHighControls.end()) return static_cast<char>(0x80 + (found - kHighControls.begin()));
    if (unit >= 0x80 && unit <= 0x9F) return static_cast<char>(unit);  // the undefined bytes
    return '?';
}

}  // namespace

std::string WideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        // A surrogate pair is one character, and one '?'.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        out += WideToByte(unit);
    }
    return out;
}

std::u16string AnsiToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::transform(text.begin(), text.end(), std::back_inserter(out),
                   [](char c) { return ByteToWide(static_cast<unsigned char>(c)); });
    return out;
}

}  // namespace platform
