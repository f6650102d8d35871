#include "platform/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

TEST(LargeBlockTest, ABlockStartsOnALargePageHoldsZerosAndMovesWhole) {
    CLargeBlock block(size_t{3} << 20);
    ASSERT_NE(block.data(), nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block.data()) % (uintptr_t{2} << 20), 0u);
    EXPECT_EQ(block.data()[0], 0);
    EXPECT_EQ(block.data()[block.size() - 1], 0);
    block.data()[block.size() - 1] = 'z';
    char* const data = block.data();
    CLargeBlock moved(std::move(block));
    EXPECT_EQ(moved.data(), data);
    EXPECT_EQ(moved.data()[moved.size() - 1], 'z');
    EXPECT_EQ(block.data(), nullptr);
    EXPECT_EQ(block.size(), 0u);
    EXPECT_EQ(CLargeBlock(0).data(), nullptr);
}
