#include "statements/line_scanner.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "statements/field_splitting.h"

namespace {

constexpr char kSeparator = ',';
constexpr char kQuote = '"';
constexpr std::uint64_t kWholeGroup = ~std::uint64_t{0};

// One bit per byte of a group (bit i for the byte at offset i) for each kind of byte that matters
// to the split. LF and NUL share a mask: a NUL is rare, and told from an LF when one turns up.
struct ByteMasks {
    std::uint64_t stop = 0, quote = 0, separator = 0;
};

#if defined(__SSE2__)
template <int Part>
void ClassifyPart(const char* group, ByteMasks& masks) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(group + 16 * Part));
    const auto mask = [](__m128i equal) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(equal))) << (16 * Part);
    };
    masks.stop |= mask(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
    masks.quote |= mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kQuote)));
    masks.separator |= mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kSeparator)));
}

ByteMasks Classify(const char* group) {
    ByteMasks masks;
    ClassifyPart<0>(group, masks);
    ClassifyPart<1>(group, masks);
    ClassifyPart<2>(group, masks);
    ClassifyPart<3>(group, masks);
    return masks;
}
#else
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte masks below number bytes in memory order");

// One bit per byte of `word` that equals `c`: bit i for the byte at offset i.
std::uint64_t BytesEqual(std::uint64_t word, char c) {
    constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    // 0x80 in exactly the bytes of x that are zero: no carry crosses a byte.
    const std::uint64_t zero = ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
    // Gathers the high bit of byte i into bit 56 + i.
    return ((zero >> 7) * 0x0102040810204080ULL) >> 56;
}

ByteMasks Classify(const char* group) {
    ByteMasks masks;
    for (int part = 0; part < 8; ++part) {
        std::uint64_t word;
        std::memcpy(&word, group + 8 * part, 8);
        masks.stop |= (BytesEqual(word, '\n') | BytesEqual(word, '\0')) << (8 * part);
        masks.quote |= BytesEqual(word, kQuote) << (8 * part);
        masks.separator |= BytesEqual(word, kSeparator) << (8 * part);
    }
    return masks;
}
#endif

// Bit i set when an odd number of the bits 0..i of `bits` are set.
std::uint64_t PrefixParity(std::uint64_t bits) {
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
    bits ^= bits << 16;
    bits ^= bits << 32;
    return bits;
}

}  // namespace

LineScanner::LineScanner(std::streambuf& source, std::size_t maxLength, std::size_t blockSize)
    // A group read at the block's last bytes reaches past them: the block has room for it, zeroed.
    : source_(source), maxLength_(maxLength), blockSize_(blockSize), block_(new char[blockSize + kGroup]()) {}

LineScanner::Status LineScanner::Next() {
    if (tooLong_) return Status::TooLong;
    for (;;) {
        const bool ended = ScanLine();
        const std::size_t length = ended ? line_.size() : end_ - begin_;
        if (length > maxLength_) {
            tooLong_ = true;
            return Status::TooLong;
        }
        if (ended) {
            begin_ += length + 1;
            return Status::Line;
        }
        if (!Refill()) {
            // The stream's last line, without an LF: the scan has seen all of it.
            if (length == 0) {
                line_ = {};
                return Status::End;
            }
            line_ = std::string_view(block_.get() + begin_, length);
            begin_ += length;
            return Status::Line;
        }
    }
}

bool LineScanner::ScanLine() {
    const char* const start = block_.get() + begin_;
    const std::size_t available = end_ - begin_;
    int count = 0;
    bool quoted = false;
    nul_ = false;
    bool ended = false;
    for (std::size_t at = 0; at < available && !ended; at += kGroup) {
        const ByteMasks bytes = Classify(start + at);
        std::uint64_t inLine = available - at >= kGroup ? kWholeGroup : (std::uint64_t{1} << (available - at)) - 1;
        for (std::uint64_t stops = bytes.stop & inLine; stops != 0; stops &= stops - 1) {
            const std::size_t offset = static_cast<std::size_t>(__builtin_ctzll(stops));
            if (start[at + offset] != '\n') {
                nul_ = true;
                continue;
            }
            inLine = (std::uint64_t{1} << offset) - 1;  // the bytes before the first LF
            line_ = std::string_view(start, at + offset);
            ended = true;
            break;
        }
        std::uint64_t separators = bytes.separator & inLine;
        // Most groups hold no quote: then the state at their start holds for all of them.
        if (const std::uint64_t quotes = bytes.quote & inLine) {
            const std::uint64_t inside = PrefixParity(quotes) ^ (quoted ? kWholeGroup : 0);
            separators &= ~inside;
            quoted = (inside >> 63) != 0;
        } else if (quoted) {
            separators = 0;
        }
        for (; separators != 0; separators &= separators - 1) {
            if (count < kKeptSeparators) {
                separators_[static_cast<std::size_t>(count)] = at + static_cast<std::size_t>(__builtin_ctzll(separators));
            }
            ++count;
        }
    }
    separatorCount_ = count;
    quotedAtEnd_ = quoted;
    return ended;
}

bool LineScanner::Refill() {
    if (sourceDone_) return false;
    std::memmove(block_.get(), block_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    const std::streamsize got = source_.sgetn(block_.get() + end_, static_cast<std::streamsize>(blockSize_ - end_));
    if (got <= 0) {
        sourceDone_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
}

std::optional<std::string_view> LineScanner::FieldBeyondKept(int n) const {
    if (n < 1) return std::nullopt;
    if (n > kKeptSeparators) return GetField(line_, kSeparator, n);
    if (n == separatorCount_ + 1) return GetLastField(line_);
    return std::nullopt;
}
