#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

// Receives a document's text, piece by piece.
using TextSink = std::function<void(std::string_view)>;

// Collects a document's text for a TextSink in large blocks, so that it goes out in few pieces:
// a record is written straight into the block (see written_text.h), which is handed on when it has
// no room for the next.
class TextBlock {
public:
    explicit TextBlock(const TextSink& out);
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    // Room for at most `size` characters more; Commit(end) ends what was written there.
    char* Room(std::size_t size);
    void Commit(const char* end) noexcept { used_ = static_cast<std::size_t>(end - text_.get()); }
    void Append(std::string_view text);
    // Hands on what the block holds.
    void Flush();

private:
    const TextSink& out_;
    std::unique_ptr<char[]> text_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};
