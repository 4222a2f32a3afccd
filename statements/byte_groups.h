#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// What sixty-four bytes of a statement hold for splitting it into lines and fields, one bit per
// byte (bit i for the byte at offset i). The portable way takes SSE2 where the compiler has it and
// plain 64-bit words elsewhere; the wide way takes AVX2 and a carry-less multiply, where the
// processor has them, and gives the same bits.
struct ByteGroup {
    static constexpr std::size_t kSize = 64;

    std::uint64_t stops = 0;       // LF or NUL, and now and then another control character
    std::uint64_t separators = 0;  // every comma, inside quotes or not
    std::uint64_t quoteParity = 0;  // bit i: an odd number of double quotes among the bytes 0 to i
};

// Which way a reader sorts its bytes: the widest the processor has, or the portable one (for the
// tests, which compare the two).
enum class ByteSorting { Widest, Portable };

// Whether this processor sorts bytes the wide way (decided once).
bool WideSortingAvailable() noexcept;
// Whether `sorting` means the wide way on this processor.
inline bool SortsWide(ByteSorting sorting) noexcept {
    return sorting == ByteSorting::Widest && WideSortingAvailable();
}

// The ByteGroups of `groups` times kSize bytes at `bytes`, into `sorted`: the portable way, and the
// wide way (only where WideSortingAvailable()). A block at a time, so that each call sorts many.
void SortBytes(const char* bytes, std::size_t groups, ByteGroup* sorted) noexcept;
void SortBytesWide(const char* bytes, std::size_t groups, ByteGroup* sorted) noexcept;

namespace byte_groups {

// LF and NUL share a mask, told apart when one turns up: they are the bytes that keep nothing but
// the LF's bits once those are cleared. So are STX and BS, which the reader then lets go.
constexpr unsigned char kStopBits = '\n';
constexpr char kSeparator = ',';
constexpr char kQuote = '"';

// Bit i set when an odd number of the bits 0 to i of `bits` are set.
inline std::uint64_t PrefixParity(std::uint64_t bits) {
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
    bits ^= bits << 16;
    bits ^= bits << 32;
    return bits;
}

#if defined(__SSE2__)
// The three masks' bits of the sixteen bytes at `bytes` + 16 * Part. A template, so that each
// part's shift is a constant.
template <int Part>
void SortPart(const char* bytes, std::uint64_t& stops, std::uint64_t& quotes, std::uint64_t& separators) {
    const __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * Part));
    const auto mask = [](__m128i equal) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(equal))) << (16 * Part);
    };
    stops |= mask(_mm_cmpeq_epi8(_mm_and_si128(part, _mm_set1_epi8(static_cast<char>(~kStopBits))), _mm_setzero_si128()));
    quotes |= mask(_mm_cmpeq_epi8(part, _mm_set1_epi8(kQuote)));
    separators |= mask(_mm_cmpeq_epi8(part, _mm_set1_epi8(kSeparator)));
}
#else
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the masks number bytes in memory order");

// One bit per byte of a word whose high bit `high` holds: bit i for the byte at offset i.
inline std::uint64_t GatherHighBits(std::uint64_t high) { return ((high >> 7) * 0x0102040810204080ULL) >> 56; }

// 0x80 in exactly the bytes of `x` that are zero: no carry crosses a byte.
inline std::uint64_t ZeroBytes(std::uint64_t x) {
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
}

inline std::uint64_t EveryByte(unsigned char c) { return 0x0101010101010101ULL * c; }
#endif

}  // namespace byte_groups

// The ByteGroup of the kSize bytes at `bytes`, the portable way.
inline ByteGroup SortGroup(const char* bytes) noexcept {
    using namespace byte_groups;
    std::uint64_t stops = 0, quotes = 0, separators = 0;
#if defined(__SSE2__)
    SortPart<0>(bytes, stops, quotes, separators);
    SortPart<1>(bytes, stops, quotes, separators);
    SortPart<2>(bytes, stops, quotes, separators);
    SortPart<3>(bytes, stops, quotes, separators);
#else
    for (int part = 0; part < 8; ++part) {
        std::uint64_t word;
        std::memcpy(&word, bytes + 8 * part, 8);
        const int shift = 8 * part;
        stops |= GatherHighBits(ZeroBytes(word & ~EveryByte(kStopBits))) << shift;
        quotes |= GatherHighBits(ZeroBytes(word ^ EveryByte(kQuote))) << shift;
        separators |= GatherHighBits(ZeroBytes(word ^ EveryByte(kSeparator))) << shift;
    }
#endif
    return {stops, separators, PrefixParity(quotes)};
}
