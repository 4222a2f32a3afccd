#include "bank/carray.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

long RaisedBy(const std::function<void()>& action) {
    try {
        action();
    } catch (long hr) {
        return hr;
    }
    return S_OK;
}

TEST(CArray, GrowsByItsStepAsEntriesArrive) {
    struct Case {
        int added;
        int capacity;
    };
    const Case cases[] = {{0, 0}, {1, 8}, {8, 8}, {9, 16}, {16, 16}, {17, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.added);
        CArray<int> array;
        for (int i = 0; i < c.added; ++i) array.Add(i);
        EXPECT_EQ(array.GetCount(), c.added);
        EXPECT_EQ(array.GetCapacity(), c.capacity);
        EXPECT_EQ(array.GetGrowBy(), 8);
    }
}

TEST(CArray, KeepsInsertionOrder) {
    CArray<int> array;
    for (int i = 10; i < 15; ++i) array.Add(i);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(array.GetAt(i), 10 + i) << "position " << i;
}

TEST(CArray, PositionsOutsideTheEntriesRaiseInvalidArgument) {
    CArray<int> array;
    array.Add(1);
    array.Add(2);
    for (const int position : {-1, 2, 3, -100}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(RaisedBy([&] { array.GetAt(position); }), E_INVALIDARG);
        EXPECT_EQ(RaisedBy([&] { array.RemoveAt(position); }), E_INVALIDARG);
    }
    EXPECT_EQ(array.GetCount(), 2);
}

TEST(CArray, RemovalMovesLaterEntriesDownAndReleasesTheRemovedOne) {
    CArray<std::shared_ptr<int>> array;
    auto watched = std::make_shared<int>(2);
    array.Add(std::make_shared<int>(1));
    array.Add(watched);
    array.Add(std::make_shared<int>(3));
    array.RemoveAt(1);
    EXPECT_EQ(watched.use_count(), 1);
    ASSERT_EQ(array.GetCount(), 2);
    EXPECT_EQ(*array.GetAt(0), 1);
    EXPECT_EQ(*array.GetAt(1), 3);
}

TEST(CArray, RemoveAllReleasesEveryEntryAndFreesTheStorage) {
    CArray<std::shared_ptr<int>> array;
    auto first = std::make_shared<int>(1);
    auto second = std::make_shared<int>(2);
    array.Add(first);
    array.Add(second);
    array.RemoveAll();
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_EQ(second.use_count(), 1);
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
}

}  // namespace
