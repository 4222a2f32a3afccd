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
constexpr unsigned kWholeGroup = 0xFFFFu;

// One bit per byte of a group of sixteen (bit i for the byte at offset i) for each byte that
// matters to the split.
struct ByteMasks {
    unsigned lf, quote, separator, nul;
};

#if defined(__SSE2__)
ByteMasks Classify(const char* group) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(group));
    const auto equal = [bytes](char c) {
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
    };
    return {equal('\n'), equal(kQuote), equal(kSeparator), equal('\0')};
}
#else
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte masks below number bytes in memory order");

// One bit per byte of `word` that equals `c`: bit i for the byte at offset i.
unsigned BytesEqual(std::uint64_t word, char c) {
    constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    // 0x80 in exactly the bytes of x that are zero: no carry crosses a byte.
    const std::uint64_t zero = ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
    // Gathers the high bit of byte i into bit 56 + i.
    return static_cast<unsigned>(((zero >> 7) * 0x0102040810204080ULL) >> 56);
}

ByteMasks Classify(const char* group) {
    std::uint64_t low, high;
    std::memcpy(&low, group, 8);
    std::memcpy(&high, group + 8, 8);
    const auto equal = [low, high](char c) { return BytesEqual(low, c) | BytesEqual(high, c) << 8; };
    return {equal('\n'), equal(kQuote), equal(kSeparator), equal('\0')};
}
#endif

// Bit i set when an odd number of the bits 0..i of `bits` are set.
unsigned PrefixParity(unsigned bits) {
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
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
    separatorCount_ = 0;
    quoted_ = false;
    unsigned nul = 0;
    bool ended = false;
    for (std::size_t at = 0; at < available && !ended; at += kGroup) {
        const ByteMasks bytes = Classify(start + at);
        unsigned inLine = available - at >= kGroup ? kWholeGroup : (1u << (available - at)) - 1;
        const unsigned lf = bytes.lf & inLine;
        if (lf != 0) {
            inLine = (lf & (0u - lf)) - 1;  // the bytes before the first LF
            line_ = std::string_view(start, at + static_cast<std::size_t>(__builtin_ctz(lf)));
            ended = true;
        }
        nul |= bytes.nul & inLine;
        NoteSeparators(bytes.quote & inLine, bytes.separator & inLine, at);
    }
    quotedAtEnd_ = quoted_;
    nul_ = nul != 0;
    return ended;
}

void LineScanner::NoteSeparators(unsigned quotes, unsigned separators, std::size_t at) {
    // Most groups hold no quote: then the state at their start holds for all of them.
    if (quotes != 0) {
        const unsigned inside = PrefixParity(quotes) ^ (quoted_ ? kWholeGroup : 0u);
        separators &= ~inside;
        quoted_ = (inside >> 15) & 1u;
    } else if (quoted_) {
        return;
    }
    for (; separators != 0; separators &= separators - 1) {
        if (separatorCount_ < kKeptSeparators) {
            separators_[static_cast<std::size_t>(separatorCount_)] = at + static_cast<std::size_t>(__builtin_ctz(separators));
        }
        ++separatorCount_;
    }
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
