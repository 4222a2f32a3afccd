#include "statements/export/record_chain.h"

#include <algorithm>

namespace {

// The arena's first block is 64 KB, for the many small documents; after it come blocks of large
// pages, doubling from one to eight MB. A chain's chunks double from 1 KB to 1 MB.
constexpr std::size_t kFirstBlock = std::size_t{64} << 10;
constexpr std::size_t kSecondBlock = std::size_t{2} << 20;
constexpr std::size_t kLargestBlock = std::size_t{8} << 20;
constexpr std::size_t kFirstChunk = std::size_t{1} << 10;
constexpr std::size_t kLargestChunk = std::size_t{1} << 20;

}  // namespace

char* RecordArena::Take(std::size_t size) {
    if (size > left_) {
        const std::size_t grown =
            blocks_.empty() ? kFirstBlock : std::clamp(2 * blocks_.back().Get().size, kSecondBlock, kLargestBlock);
        blocks_.emplace_back(platform::MapPages(std::max(size, grown)));
        const platform::PageMapping& block = blocks_.back().Get();
        next_ = block.data;
        left_ = block.size;
        reserved_ += block.size;
    }
    char* const taken = next_;
    next_ += size;
    left_ -= size;
    return taken;
}

char* RecordChain::Room(std::size_t size, RecordArena& arena) {
    if (chunks_.empty() || chunks_.back().capacity - chunks_.back().used < size) {
        const std::size_t grown = chunks_.empty() ? kFirstChunk : std::min(2 * chunks_.back().capacity, kLargestChunk);
        const std::size_t capacity = std::max(size, grown);
        chunks_.push_back({arena.Take(capacity), 0, capacity});
    }
    return chunks_.back().begin + chunks_.back().used;
}
