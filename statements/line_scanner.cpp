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
// LF and NUL share a mask, told apart when one turns up. Both are the bytes that keep nothing but
// the LF's bits once that is cleared: so are two other control characters, which are let go then.
constexpr unsigned char kStopBits = '\n';

#if !defined(__SSE2__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte masks below number bytes in memory order");

// One bit per byte of `word` that is 0x80 in `high`: bit i for the byte at offset i.
std::uint64_t GatherHighBits(std::uint64_t high) { return ((high >> 7) * 0x0102040810204080ULL) >> 56; }

// 0x80 in exactly the bytes of `x` that are zero: no carry crosses a byte.
std::uint64_t ZeroBytes(std::uint64_t x) {
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
}

std::uint64_t EveryByte(unsigned char c) { return 0x0101010101010101ULL * c; }
#endif

// One bit per byte of a group (bit i for the byte at offset i) for each kind of byte that matters
// to the split.
struct ByteMasks {
    std::uint64_t stop = 0;       // LF or NUL, and now and then another control character
    std::uint64_t quote = 0;
    std::uint64_t separator = 0;
};

#if defined(__SSE2__)
// Sorts the sixteen bytes at `group` + 16 * Part into `masks`. A template, so that each part's
// shift is a constant.
template <int Part>
void ClassifyPart(const char* group, ByteMasks& masks) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(group + 16 * Part));
    const auto mask = [](__m128i equal) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(equal))) << (16 * Part);
    };
    masks.stop |= mask(_mm_cmpeq_epi8(_mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(~kStopBits))),
                                      _mm_setzero_si128()));
    masks.quote |= mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kQuote)));
    masks.separator |= mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kSeparator)));
}
#endif

// The kinds of byte in the sixty-four at `group` that the split needs.
ByteMasks Classify(const char* group) {
    ByteMasks masks;
#if defined(__SSE2__)
    ClassifyPart<0>(group, masks);
    ClassifyPart<1>(group, masks);
    ClassifyPart<2>(group, masks);
    ClassifyPart<3>(group, masks);
#else
    for (int part = 0; part < 8; ++part) {
        std::uint64_t word;
        std::memcpy(&word, group + 8 * part, 8);
        const auto mask = [part](std::uint64_t high) { return GatherHighBits(high) << (8 * part); };
        masks.stop |= mask(ZeroBytes(word & ~EveryByte(kStopBits)));
        masks.quote |= mask(ZeroBytes(word ^ EveryByte(kQuote)));
        masks.separator |= mask(ZeroBytes(word ^ EveryByte(kSeparator)));
    }
#endif
    return masks;
}

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
    const char* const block = block_.get();
    const std::size_t lineStart = begin_;
    // Groups lie at multiples of kGroup from the block's start; the line starts inside one, most
    // often the one where the last line ended.
    std::size_t at = lineStart - lineStart % kGroup;
    int count = 0;
    bool quoted = false;
    bool ended = false;
    nul_ = false;
    bool sorted = at == sortedAt_;
    std::uint64_t inLine = kWholeGroup << (lineStart - at);
    for (; at < end_ && !ended; at += kGroup, inLine = kWholeGroup) {
        const ByteMasks bytes = sorted ? ByteMasks{sorted_[0], sorted_[1], sorted_[2]} : Classify(block + at);
        sorted = false;
        if (end_ - at < kGroup) inLine &= (std::uint64_t{1} << (end_ - at)) - 1;
        for (std::uint64_t stops = bytes.stop & inLine; stops != 0; stops &= stops - 1) {
            const std::size_t offset = static_cast<std::size_t>(__builtin_ctzll(stops));
            const char stop = block[at + offset];
            if (stop == '\0') nul_ = true;
            if (stop != '\n') continue;
            inLine &= (std::uint64_t{1} << offset) - 1;  // the bytes before the first LF
            line_ = std::string_view(block + lineStart, at + offset - lineStart);
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
        // Positions from the line's start; the first group's may start before it (unsigned wrap).
        const std::uint32_t base = static_cast<std::uint32_t>(at - lineStart);
        if (count < kKeptSeparators) {
            for (; separators != 0; separators &= separators - 1) {
                separators_[static_cast<std::size_t>(count++)] = base + static_cast<std::uint32_t>(__builtin_ctzll(separators));
            }
        } else {
            count += __builtin_popcountll(separators);
        }
        if (ended) {
            // The next line starts in this group, unless the LF was its last byte.
            sorted_ = {bytes.stop, bytes.quote, bytes.separator};
            sortedAt_ = at;
        }
    }
    // Of use for the stream's last line too, which ends without an LF.
    separatorCount_ = count;
    quotedAtEnd_ = quoted;
    return ended;
}

bool LineScanner::Refill() {
    if (sourceDone_) return false;
    std::memmove(block_.get(), block_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    sortedAt_ = kNoGroup;  // the bytes moved
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
