#include "platform/page_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace platform {
namespace {

TEST(PageBlock, IsWritableFromEndToEndInWholePages) {
    for (const std::size_t size : {std::size_t{100}, std::size_t{3} << 20}) {
        PageBlock block(MapPages(size));
        const PageMapping& mapping = block.Get();
        ASSERT_NE(mapping.data, nullptr) << size;
        EXPECT_GE(mapping.size, size);
        EXPECT_EQ(mapping.size % 4096, 0u) << mapping.size;
        std::memset(mapping.data, 'x', mapping.size);
        EXPECT_EQ(mapping.data[mapping.size - 1], 'x') << size;
    }
}

TEST(PageBlock, MovesToItsNewOwner) {
    PageBlock first(MapPages(100));
    char* const data = first.Get().data;
    data[0] = 'y';
    const PageBlock second = std::move(first);
    EXPECT_TRUE(first.IsEmpty());
    EXPECT_EQ(second.Get().data, data);
    EXPECT_EQ(second.Get().data[0], 'y');
}

}  // namespace
}  // namespace platform
