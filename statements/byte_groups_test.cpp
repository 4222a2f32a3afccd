#include "statements/byte_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bits of one group worked out a byte at a time.
ByteGroup ByteByByte(const std::string& group) {
    ByteGroup bits;
    bool odd = false;
    for (std::size_t i = 0; i < ByteGroup::kSize; ++i) {
        const unsigned char c = static_cast<unsigned char>(group[i]);
        const std::uint64_t bit = std::uint64_t{1} << i;
        // LF and NUL, and the two control characters that share their mask.
        if (c == '\n' || c == '\0' || c == 0x02 || c == 0x08) bits.stops |= bit;
        if (c == ',') bits.separators |= bit;
        odd = odd != (c == '"');
        if (odd) bits.quoteParity |= bit;
    }
    return bits;
}

std::string Bits(std::uint64_t bits) {
    std::string shown;
    for (std::size_t i = 0; i < ByteGroup::kSize; ++i) shown += (bits >> i & 1) ? '1' : '.';
    return shown;
}

// Every byte value, and the shapes of statement text, sorted the portable way and, where the
// processor has it, the wide way: the same bits as byte by byte, a group at a time and a block
// of groups in one call.
TEST(SortBytes, MarksStopsSeparatorsAndTheQuoteParity) {
    std::vector<std::string> groups;
    for (int first = 0; first < 256; first += 64) {
        std::string group;
        for (int c = first; c < first + 64; ++c) group += static_cast<char>(c);
        groups.push_back(group);
    }
    const std::string line = "123456,12345678,\"Household, joint\",J SMITH,GBP,\"1,234.56\"\r\n12";
    groups.push_back(line + std::string(ByteGroup::kSize - line.size(), 'x'));
    groups.push_back(std::string(ByteGroup::kSize, '"'));
    groups.push_back(std::string(ByteGroup::kSize, ','));
    groups.push_back(std::string(ByteGroup::kSize - 1, 'a') + '"');
    groups.push_back(std::string(ByteGroup::kSize, '\n'));
    // A quote, a comma and an LF at every offset of a group: a lane or a shift wrong shows here.
    for (std::size_t at = 0; at < ByteGroup::kSize; ++at) {
        std::string group(ByteGroup::kSize, 'a');
        group[at] = '"';
        group[ByteGroup::kSize - 1 - at] = ',';
        group[(at + ByteGroup::kSize / 2) % ByteGroup::kSize] = '\n';
        groups.push_back(group);
    }
    std::string block;
    for (const auto& group : groups) block += group;
    const std::size_t count = groups.size();
    std::vector<ByteGroup> portable(count), wide(count);
    SortBytes(block.data(), count, portable.data());
    if (WideSortingAvailable()) SortBytesWide(block.data(), count, wide.data());
    for (std::size_t i = 0; i < count; ++i) {
        const ByteGroup expected = ByteByByte(groups[i]);
        std::vector<std::pair<const char*, const ByteGroup*>> ways = {{"portable", &portable[i]}};
        if (WideSortingAvailable()) ways.push_back({"wide", &wide[i]});
        for (const auto& [way, bits] : ways) {
            EXPECT_EQ(Bits(bits->stops), Bits(expected.stops)) << way << " group " << i;
            EXPECT_EQ(Bits(bits->separators), Bits(expected.separators)) << way << " group " << i;
            EXPECT_EQ(Bits(bits->quoteParity), Bits(expected.quoteParity)) << way << " group " << i;
        }
    }
}

}  // namespace
