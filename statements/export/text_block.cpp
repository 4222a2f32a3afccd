#include "statements/export/text_block.h"

#include "statements/export/written_text.h"

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 18;

}  // namespace

TextBlock::TextBlock(const TextSink& out) : out_(out), text_(std::make_unique<char[]>(kBlock)), capacity_(kBlock) {}

char* TextBlock::Room(std::size_t size) {
    if (capacity_ - used_ < size) {
        Flush();
        if (capacity_ < size) {
            text_ = std::make_unique<char[]>(size);
            capacity_ = size;
        }
    }
    return text_.get() + used_;
}

void TextBlock::Append(std::string_view text) { Commit(WriteText(Room(text.size()), text)); }

void TextBlock::Flush() {
    if (used_ > 0) out_(std::string_view(text_.get(), used_));
    used_ = 0;
}
