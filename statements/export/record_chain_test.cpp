#include "statements/export/record_chain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Appends `record` to `chain`.
void Append(RecordChain& chain, RecordArena& arena, const std::string& record) {
    char* const at = chain.Room(record.size(), arena);
    chain.Commit(record.copy(at, record.size()) + at);
}

std::string Held(const RecordChain& chain) {
    std::string held;
    chain.ForEachChunk([&](std::string_view chunk) { held += chunk; });
    return held;
}

TEST(RecordChain, GivesBackWhatEachChainTookInOrder) {
    // Two chains on one arena, taking records in turn, small ones and ones larger than a chunk,
    // until both have drawn several blocks.
    RecordArena arena;
    RecordChain chains[2];
    std::string expected[2];
    const std::size_t sizes[] = {1, 37, 1000, 5000, 200000, 3};
    for (std::size_t i = 0; expected[1].size() < (std::size_t{6} << 20); ++i) {
        const std::string record(sizes[i % 6], static_cast<char>('a' + i % 26));
        Append(chains[i % 2], arena, record);
        expected[i % 2] += record;
    }
    for (int chain = 0; chain < 2; ++chain) EXPECT_TRUE(Held(chains[chain]) == expected[chain]) << "chain " << chain;
    EXPECT_GE(arena.Reserved(), expected[0].size() + expected[1].size());
}

TEST(RecordChain, KeepsWhatARecordLeavesUnused) {
    RecordArena arena;
    RecordChain chain;
    char* const at = chain.Room(100, arena);  // room for more than is written
    chain.Commit(std::string("ab").copy(at, 2) + at);
    Append(chain, arena, "cd");
    EXPECT_EQ(Held(chain), "abcd");
    EXPECT_EQ(Held(RecordChain()), "");
}

}  // namespace
