// The growable arrays the host hands to the exports: the invalid-argument exception for an index
// outside the list and for a negative size.
#include <gtest/gtest.h>

#include "platform/arrays.h"

TEST(CArrayTest, IndexOutsideTheListRaisesInvalidArgument) {
    CArray<int> list;
    EXPECT_THROW(list[0], CInvalidArgException);
    list.SetSize(3);
    EXPECT_EQ(list[2], 0);  // new elements are zero
    EXPECT_THROW(list[3], CInvalidArgException);
    EXPECT_THROW(list[-1], CInvalidArgException);
    EXPECT_THROW(list.GetAt(3), CInvalidArgException);
    EXPECT_THROW(list.SetAt(-1, 5), CInvalidArgException);
    EXPECT_THROW(list.RemoveAt(2, 2), CInvalidArgException);
    EXPECT_THROW(list.SetAtGrow(-1, 1), CInvalidArgException);

    const CStringArray texts;
    EXPECT_THROW(texts[0], CInvalidArgException);
}

TEST(CArrayTest, NegativeSizeRaisesInvalidArgumentAndKeepsTheList) {
    CArray<int> list;
    list.Add(7);
    EXPECT_THROW(list.SetSize(-1), CInvalidArgException);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0], 7);
}
