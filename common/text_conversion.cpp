#include "common/text_conversion.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr std::size_t kSingleByteLimit = 255;
}

std::string ToSingleByte(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text.substr(0, kSingleByteLimit)) {
        if (unit == 0 || unit > 0xFF) break;
        out += static_cast<char>(unit);
    }
    return out;
}

std::string DigitsOnly(std::string_view text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), IsDigit);
    return out;
}

std::string ToDigitsOnly(std::u16string_view text) { return DigitsOnly(ToSingleByte(text)); }
