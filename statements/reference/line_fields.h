#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// One line split in a single pass, giving the same count and fields as CountFields and GetField.
// The reader takes up to 18 columns of every line; walking the line again for each of them would
// cost most of the reading time.
class LineFields {
public:
    void Split(std::string_view line);

    // CountFields of the line, with a fresh quoted state.
    int Count() const noexcept { return count_; }
    // GetField of the line, separator ",". Inline: the reader takes every column of every line.
    std::optional<std::string_view> Field(int n) const {
        if (n >= 1 && n <= separatorCount_ && n <= kKeptSeparators) {
            const std::size_t end = separators_[static_cast<std::size_t>(n - 1)];
            const std::size_t start = n == 1 ? 0 : separators_[static_cast<std::size_t>(n - 2)] + 1;
            return line_.substr(start, end - start);
        }
        return FieldBeyondKept(n);
    }

private:
    // Notes the separators outside quotes among `width` bytes from `at`, given as masks (bit i for
    // the byte at + i) of their quotes and separators; `quoted` is the state before them, the
    // result the state after.
    bool SplitBytes(unsigned quotes, unsigned separators, int width, std::size_t at, bool quoted);
    // Field(n) for an n that no kept separator ends: the last field, a field beyond those kept, or none.
    std::optional<std::string_view> FieldBeyondKept(int n) const;

    // Separator positions kept; a field beyond them is found by GetField itself.
    static constexpr int kKeptSeparators = 20;

    std::string_view line_;
    std::array<std::size_t, kKeptSeparators> separators_{};
    int separatorCount_ = 0;
    int count_ = 0;
};
