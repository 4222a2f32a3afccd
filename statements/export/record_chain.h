#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/page_block.h"

// Bytes that stay where they are until the arena goes, handed out from blocks of pages that grow
// with what is taken: a small document takes a few pages, a large one blocks of large pages.
class RecordArena {
public:
    char* Take(std::size_t size);
    // Bytes taken from the system so far.
    std::size_t Reserved() const noexcept { return reserved_; }

private:
    std::vector<platform::PageBlock> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
    std::size_t reserved_ = 0;
};

// Records appended one after another and read back in that order, in chunks drawn from an arena
// that grow as the chain does: many chains, one for each account of a document, share the arena
// and each takes room in proportion to what it holds.
class RecordChain {
public:
    // Room for the next record, which takes at most `size` bytes; Commit(end) ends it where its
    // writing ended.
    char* Room(std::size_t size, RecordArena& arena);
    void Commit(const char* end) noexcept { chunks_.back().used = static_cast<std::size_t>(end - chunks_.back().begin); }
    // Each chunk's records, in the order written.
    template <class Each>
    void ForEachChunk(Each&& each) const {
        for (const Chunk& chunk : chunks_) each(std::string_view(chunk.begin, chunk.used));
    }

private:
    struct Chunk {
        char* begin;
        std::size_t used;
        std::size_t capacity;
    };
    std::vector<Chunk> chunks_;
};
