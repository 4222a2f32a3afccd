#include "common/text_conversion.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr std::size_t kSingleByteLimit = 255;
}

std::string ToSingleByte(std::u16string_view text) {
    const std::u16string_view kept = text.substr(0, kSingleByteLimit);
    const auto end = std::find_if(kept.begin(), kept.end(), [](char16_t unit) { return unit == 0 || unit > 0xFF; });
    // Sized once: every payment field passes through here.
    std::string out(static_cast<std::size_t>(end - kept.begin()), '\0');
    std::transform(kept.begin(), end, out.begin(), [](char16_t unit) { return static_cast<char>(unit); });
    return out;
}

std::string DigitsOnly(std::string_view text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), IsDigit);
    return out;
}

std::string ToDigitsOnly(std::u16string_view text) { return DigitsOnly(ToSingleByte(text)); }
