#include "statements/line_scanner.h"

#include <cstdint>
#include <cstring>

#include "statements/field_splitting.h"

namespace {

constexpr char kSeparator = ',';
constexpr std::uint64_t kWholeGroup = ~std::uint64_t{0};
constexpr std::size_t kGroup = ByteGroup::kSize;

// Every bit set for true, none for false.
constexpr std::uint64_t Everywhere(bool set) { return set ? kWholeGroup : 0; }

}  // namespace

LineScanner::LineScanner(std::streambuf& source, std::size_t maxLength, std::size_t blockSize, ByteSorting sorting)
    // A group read at the block's last bytes reaches past them: the block has room for it, zeroed.
    : source_(source), maxLength_(maxLength), blockSize_(blockSize), block_(new char[blockSize + kGroup]()),
      groups_(new ByteGroup[blockSize / kGroup + 1]), wide_(SortsWide(sorting)) {}

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
    // Groups lie at multiples of kGroup from the block's start; the line starts inside one.
    std::size_t at = lineStart - lineStart % kGroup;
    std::uint32_t* const firstSeparator = separators_.data();
    std::uint32_t* separator = firstSeparator;
    std::uint32_t* const keptEnd = firstSeparator + kKeptSeparators;
    int beyondKept = 0;
    bool quoted = false;
    bool ended = false;
    nul_ = false;
    // The parity counts from the group's start: the quotes before the line's start are not the line's.
    if (lineStart != at) quoted = ((groups_[at / kGroup].quoteParity >> (lineStart - at - 1)) & 1) != 0;
    std::uint64_t inLine = kWholeGroup << (lineStart - at);
    for (; at < end_ && !ended; at += kGroup, inLine = kWholeGroup) {
        const ByteGroup& bytes = groups_[at / kGroup];
        if (end_ - at < kGroup) inLine &= (std::uint64_t{1} << (end_ - at)) - 1;
        const std::uint64_t inside = bytes.quoteParity ^ Everywhere(quoted);
        std::size_t lineEnd = kGroup;  // in this group
        for (std::uint64_t stops = bytes.stops & inLine; stops != 0; stops &= stops - 1) {
            const std::size_t offset = static_cast<std::size_t>(__builtin_ctzll(stops));
            const char stop = block[at + offset];
            if (stop == '\0') nul_ = true;
            if (stop != '\n') continue;
            inLine &= (std::uint64_t{1} << offset) - 1;  // the bytes before the first LF
            line_ = std::string_view(block + lineStart, at + offset - lineStart);
            lineEnd = offset;
            ended = true;
            break;
        }
        // The state after the line's bytes in this group; as carried in when the group holds none
        // (the bits before the line's start in its first group say no quote).
        if (lineEnd != 0) quoted = ((inside >> (lineEnd - 1)) & 1) != 0;
        std::uint64_t separators = bytes.separators & inLine & ~inside;
        // Positions from the line's start; the first group's may start before it (unsigned wrap).
        const std::uint32_t base = static_cast<std::uint32_t>(at - lineStart);
        if (separator < keptEnd) {
            for (; separators != 0; separators &= separators - 1) {
                *separator++ = base + static_cast<std::uint32_t>(__builtin_ctzll(separators));
            }
        } else {
            beyondKept += __builtin_popcountll(separators);
        }
    }
    // Of use for the stream's last line too, which ends without an LF.
    separatorCount_ = static_cast<int>(separator - firstSeparator) + beyondKept;
    quotedAtEnd_ = quoted;
    return ended;
}

bool LineScanner::Refill() {
    if (sourceDone_) return false;
    std::memmove(block_.get(), block_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    const std::streamsize got = source_.sgetn(block_.get() + end_, static_cast<std::streamsize>(blockSize_ - end_));
    if (got > 0) end_ += static_cast<std::size_t>(got);
    sourceDone_ = got <= 0;
    // Every group from the block's start, the bytes moved to the front among them.
    const std::size_t groups = (end_ + kGroup - 1) / kGroup;
    if (wide_) {
        SortBytesWide(block_.get(), groups, groups_.get());
    } else {
        SortBytes(block_.get(), groups, groups_.get());
    }
    return !sourceDone_;
}

std::optional<std::string_view> LineScanner::FieldBeyondKept(int n) const {
    if (n < 1) return std::nullopt;
    if (n > kKeptSeparators) return GetField(line_, kSeparator, n);
    if (n == separatorCount_ + 1) return GetLastField(line_);
    return std::nullopt;
}
