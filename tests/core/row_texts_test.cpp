// A row's texts in one block: each text set on its own leaves the others as they were, a text
// may be set from a view of the row's own texts, and copies do not share their block.
#include <gtest/gtest.h>

#include "core/row_texts.h"

TEST(RowTextsTest, SettingATextKeepsTheOthersEvenWhenGivenAViewOfTheBlock) {
    CRowTexts texts;
    EXPECT_EQ(texts.Get(2), u"");
    texts.Set(1, u"Motor.Speed");
    texts.Set(0, u"DB1:RWW002");
    texts.Set(2, u"速度");
    EXPECT_EQ(texts.Get(0), u"DB1:RWW002");
    EXPECT_EQ(texts.Get(1), u"Motor.Speed");
    EXPECT_EQ(texts.Get(2), u"速度");

    texts.Set(2, texts.Get(1).substr(0, 5));  // a view of the block being replaced
    texts.Set(1, u"");
    EXPECT_EQ(texts.Get(0), u"DB1:RWW002");
    EXPECT_EQ(texts.Get(1), u"");
    EXPECT_EQ(texts.Get(2), u"Motor");

    CRowTexts copy = texts;
    copy.Set(0, u"I0.0");
    EXPECT_EQ(texts.Get(0), u"DB1:RWW002");
    EXPECT_EQ(copy.Get(2), u"Motor");
    copy = texts;
    EXPECT_EQ(copy.All(), texts.All());
    texts.Assign({});
    EXPECT_EQ(texts.Get(0), u"");
    EXPECT_EQ(copy.Get(0), u"DB1:RWW002");
}
