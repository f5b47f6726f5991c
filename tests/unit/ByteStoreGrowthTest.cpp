// A store that cannot grow stays exactly as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "store/ByteStore.h"

TEST(ByteStoreGrowth, AFailedGrowthKeepsTheCellsAndTheCapacity)
{
    ByteStore store(32);
    store.setByte(5, 0x55);
    store.markRed(6);
    ByteStore::limitGrowthForTests(64);
    EXPECT_THROW(store.grow(80), std::bad_alloc);
    ByteStore::limitGrowthForTests(SIZE_MAX);

    EXPECT_EQ(store.capacity(), 32u);
    EXPECT_EQ(store.getByte(5), 0x55);
    EXPECT_TRUE(store.isRed(6));
    EXPECT_TRUE(store.isHexEmpty(31));
    store.grow(80);
    EXPECT_EQ(store.capacity(), 80u);
    EXPECT_TRUE(store.isHexEmpty(79));
}
