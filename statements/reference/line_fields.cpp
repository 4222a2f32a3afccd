#include "statements/reference/line_fields.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "statements/field_splitting.h"

namespace {

constexpr char kSeparator = ',';
constexpr char kQuote = '"';

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte masks below number bytes in memory order");

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;

// One bit per byte of `word` that equals `c`: bit i for the byte at offset i.
unsigned BytesEqual(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    // 0x80 in exactly the bytes of x that are zero: no carry crosses a byte.
    const std::uint64_t zero = ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
    // Gathers the high bit of byte i into bit 56 + i.
    return static_cast<unsigned>(((zero >> 7) * 0x0102040810204080ULL) >> 56);
}

// Bit i set when an odd number of the bits 0..i of `bits` are set.
unsigned PrefixParity(unsigned bits) {
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
    return bits;
}

}  // namespace

void LineFields::Split(std::string_view line) {
    // Sixteen or eight bytes at a time: most of a line is neither quote nor separator, and telling
    // the two apart byte by byte costs a mispredicted branch at each of them.
    line_ = line;
    separatorCount_ = 0;
    bool quoted = false;
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8(kQuote), separator = _mm_set1_epi8(kSeparator);
    for (; line.size() - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + at));
        quoted = SplitBytes(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote))),
                            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator))), 16, at, quoted);
    }
#endif
    for (; line.size() - at >= 8; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, line.data() + at, 8);
        quoted = SplitBytes(BytesEqual(word, kQuote), BytesEqual(word, kSeparator), 8, at, quoted);
    }
    if (at < line.size()) {
        std::uint64_t word = 0;  // the zero bytes past the end are neither quote nor separator
        std::memcpy(&word, line.data() + at, line.size() - at);
        quoted = SplitBytes(BytesEqual(word, kQuote), BytesEqual(word, kSeparator), 8, at, quoted);
    }
    count_ = separatorCount_ + 1 - (quoted ? 1 : 0);
}

bool LineFields::SplitBytes(unsigned quotes, unsigned separators, int width, std::size_t at, bool quoted) {
    const unsigned all = (1u << width) - 1;
    const unsigned inside = PrefixParity(quotes) ^ (quoted ? all : 0u);
    for (separators &= ~inside & all; separators != 0; separators &= separators - 1) {
        if (separatorCount_ < kKeptSeparators) {
            separators_[static_cast<std::size_t>(separatorCount_)] =
                at + static_cast<std::size_t>(__builtin_ctz(separators));
        }
        ++separatorCount_;
    }
    return (inside >> (width - 1)) & 1u;
}

std::optional<std::string_view> LineFields::FieldBeyondKept(int n) const {
    if (n < 1) return std::nullopt;
    if (n > kKeptSeparators) return GetField(line_, kSeparator, n);
    if (n == separatorCount_ + 1) return GetLastField(line_);
    return std::nullopt;
}
