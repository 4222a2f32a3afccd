#include "common/unique_resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A handle kind whose closes are counted, so each ownership rule can be watched.
std::vector<int>& Closed() {
    static std::vector<int> closed;
    return closed;
}

struct CountedTraits {
    using Handle = int;
    static Handle Empty() noexcept { return -1; }
    static bool IsEmpty(Handle h) noexcept { return h == -1; }
    static void Close(Handle h) noexcept { Closed().push_back(h); }
};
using Counted = UniqueResource<CountedTraits>;

class UniqueResourceTest : public ::testing::Test {
protected:
    void SetUp() override { Closed().clear(); }
};

TEST_F(UniqueResourceTest, ClosesWhatItHoldsOnceWhenItGoes) {
    { const Counted held(7); }
    EXPECT_EQ(Closed(), std::vector<int>{7});
}

TEST_F(UniqueResourceTest, EmptyHolderClosesNothing) {
    { const Counted empty; EXPECT_TRUE(empty.IsEmpty()); EXPECT_FALSE(static_cast<bool>(empty)); }
    EXPECT_TRUE(Closed().empty());
}

TEST_F(UniqueResourceTest, MoveHandsTheResourceOnWithoutClosingIt) {
    Counted first(3);
    Counted second(std::move(first));
    EXPECT_TRUE(first.IsEmpty());
    EXPECT_EQ(second.Get(), 3);
    EXPECT_TRUE(Closed().empty());
    Counted third(9);
    third = std::move(second);
    EXPECT_EQ(Closed(), std::vector<int>{9});
    EXPECT_EQ(third.Get(), 3);
}

TEST_F(UniqueResourceTest, ReceiveClosesTheOldResourceAndExposesTheSlot) {
    Counted held(4);
    int* slot = held.Receive();
    EXPECT_EQ(Closed(), std::vector<int>{4});
    EXPECT_EQ(*slot, -1);
    *slot = 5;
    EXPECT_EQ(held.Get(), 5);
}

TEST_F(UniqueResourceTest, DetachGivesUpOwnership) {
    {
        Counted held(6);
        EXPECT_EQ(held.Detach(), 6);
        EXPECT_TRUE(held.IsEmpty());
    }
    EXPECT_TRUE(Closed().empty());
}

TEST_F(UniqueResourceTest, ResetClosesAndTakesTheNewHandle) {
    Counted held(1);
    held.Reset(2);
    held.Reset();
    EXPECT_EQ(Closed(), (std::vector<int>{1, 2}));
}

TEST_F(UniqueResourceTest, SelfMoveKeepsTheResource) {
    Counted held(8);
    Counted& alias = held;
    held = std::move(alias);
    EXPECT_EQ(held.Get(), 8);
    EXPECT_TRUE(Closed().empty());
}

}  // namespace
