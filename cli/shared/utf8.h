#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// UTF-8 as the payment list and the native command line carry it, turned into the UTF-16 that the
// host would hand to the component (characters above U+FFFF become surrogate pairs).
//
// Invalid UTF-8 is refused, never repaired: a replacement character would reach the payment
// export's single-byte conversion, which stops at the first character above U+00FF, and silently
// cut a name or a reference short. Refused are stray continuation bytes, truncated sequences,
// overlong forms, encoded surrogates (U+D800..U+DFFF) and code points above U+10FFFF.

struct Utf8Result {
    std::u16string text;           // valid only when ok
    bool ok = false;
    std::size_t errorOffset = 0;  // byte offset of the first invalid sequence when not ok
};

Utf8Result DecodeUtf8(std::string_view bytes);

// The decoded text, or nothing when the bytes are not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

}  // namespace cli
