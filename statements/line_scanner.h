#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <streambuf>
#include <string_view>

#include "statements/byte_groups.h"
#include "statements/field_splitting.h"

// The lines of a stream, each walked once: taken a large block at a time straight from the
// stream's buffer, in two stages. Each block is first sorted whole into the bytes that matter,
// sixty-four at a time (byte_groups.h); then each line's groups of sixty-four give, in one pass,
// where the line ends, where its separators outside quotes stand and whether it holds a NUL byte.
// The fields it gives are those of CountFields and GetField (separator ","), without walking the
// line again.
class LineScanner {
public:
    enum class Status { Line, End, TooLong };

    static constexpr std::size_t kDefaultBlockSize = 64 * 1024;

    // Refuses lines of more than `maxLength` characters; `blockSize` must be larger than that.
    LineScanner(std::streambuf& source, std::size_t maxLength, std::size_t blockSize = kDefaultBlockSize,
                ByteSorting sorting = ByteSorting::Widest);

    // The next line, without its LF: Line. A line ends at an LF or at the end of the stream; End
    // when nothing at all is left. TooLong for a line of more than maxLength characters, after
    // which nothing more is read and every call gives TooLong.
    Status Next();

    // The line that the last Next gave, valid until the next call.
    std::string_view Line() const noexcept { return line_; }
    bool HasNul() const noexcept { return nul_; }
    // CountFields of the line, with a fresh quoted state.
    int Count() const noexcept { return separatorCount_ + 1 - (quotedAtEnd_ ? 1 : 0); }
    // GetField of the line. Inline: the reader takes every column of every line.
    std::optional<std::string_view> Field(int n) const {
        if (n >= 1 && n <= separatorCount_ && n <= kKeptSeparators) {
            const std::size_t start = n == 1 ? 0 : separators_[static_cast<std::size_t>(n - 2)] + 1;
            return std::string_view(line_.data() + start, separators_[static_cast<std::size_t>(n - 1)] - start);
        }
        // The last field, as the reader takes the credit column of nearly every line.
        if (n == separatorCount_ + 1 && n > 1) return LastFieldOfSplitLine(line_);
        return FieldBeyondKept(n);
    }
    // Where the line's separators outside quotes stand, from its start: the first
    // min(Count, kKeptSeparators) of them (field n ends at the nth).
    const std::uint32_t* Separators() const noexcept { return separators_.data(); }

    // Separator positions kept; a field beyond them is found by GetField itself.
    static constexpr int kKeptSeparators = 20;

private:
    // Scans the unread part of the block for the next line; false when the block holds no LF
    // after it (the separators found are then of no use).
    bool ScanLine();
    // Moves what is not read yet to the front of the block, reads more behind it and sorts the
    // block; false when the stream has nothing more.
    bool Refill();
    std::optional<std::string_view> FieldBeyondKept(int n) const;

    std::streambuf& source_;
    std::size_t maxLength_;
    std::size_t blockSize_;
    std::unique_ptr<char[]> block_;
    std::unique_ptr<ByteGroup[]> groups_;  // the block's, sorted
    std::size_t begin_ = 0;  // the first character not read yet
    std::size_t end_ = 0;    // one past the last character in the block
    bool sourceDone_ = false;
    bool tooLong_ = false;
    bool wide_;

    std::string_view line_;
    // From the line's start. A group's separators are kept whole while fewer than kKeptSeparators
    // came before it, hence the room for one group more.
    std::array<std::uint32_t, kKeptSeparators + ByteGroup::kSize> separators_{};
    int separatorCount_ = 0;
    bool quotedAtEnd_ = false;
    bool nul_ = false;
};
