#include "cli/shared/utf8.h"

namespace cli {

namespace {

// Length of the sequence a lead byte starts, or 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;  // C0 and C1 only start overlong forms
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;  // above F4 lies beyond U+10FFFF
    return 0;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of a complete sequence, or nothing when it is overlong, a surrogate or too large.
std::optional<char32_t> CodePoint(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const std::size_t length = sequence.size();
    char32_t value = lead & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    if (value < kSmallest[length] || value > 0x10FFFF) return std::nullopt;
    if (value >= 0xD800 && value <= 0xDFFF) return std::nullopt;
    return value;
}

void AppendUtf16(std::u16string& out, char32_t value) {
    if (value < 0x10000) {
        out += static_cast<char16_t>(value);
        return;
    }
    value -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (value >> 10));
    out += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
}

}  // namespace

Utf8Result DecodeUtf8(std::string_view bytes) {
    Utf8Result result;
    result.text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(bytes[at]));
        bool complete = length != 0 && at + length <= bytes.size();
        for (std::size_t i = 1; complete && i < length; ++i) complete = IsContinuation(static_cast<unsigned char>(bytes[at + i]));
        const auto value = complete ? CodePoint(bytes.substr(at, length)) : std::nullopt;
        if (!value) {
            result.errorOffset = at;
            result.text.clear();
            return result;
        }
        AppendUtf16(result.text, *value);
        at += length;
    }
    result.ok = true;
    return result;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes) {
    Utf8Result result = DecodeUtf8(bytes);
    if (!result.ok) return std::nullopt;
    return std::move(result.text);
}

}  // namespace cli
