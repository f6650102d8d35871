// A block name is equal to another exactly when their texts are, however and wherever each was made.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "types/block_name.h"

TEST(BlockNameTest, NamesAreEqualExactlyWhenTheirTextsAre) {
    const CBlockName fromView(std::u16string_view(u"DB12x").substr(0, 4));
    const CBlockName fromText(CString(u"DB12"));
    EXPECT_EQ(fromView, fromText);
    EXPECT_EQ(fromView, u"DB12");
    EXPECT_FALSE(fromView == CBlockName(u"DB1"));
    EXPECT_FALSE(fromView == CBlockName(u"db12"));
    EXPECT_EQ(CBlockName(), CBlockName(u""));
    EXPECT_TRUE(CBlockName().IsEmpty());
    EXPECT_EQ(fromText.ToUtf8(), "DB12");
    const CString& read = fromText;
    EXPECT_EQ(read, u"DB12");
}

TEST(BlockNameTest, NamesMadeOnSeveralThreadsAtOnceAreTheirOwnTexts) {
    // Each thread names its records after a few blocks in turn, as parsers running side by side do.
    constexpr int kThreads = 4, kRounds = 2000;
    std::vector<std::vector<CBlockName>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&made, t] {
            for (int i = 0; i < kRounds; ++i) {
                const std::u16string text = u"DB" + std::u16string(1, static_cast<char16_t>(u'0' + (i + t) % 7));
                made[static_cast<size_t>(t)].emplace_back(text);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kRounds; ++i) {
            const std::u16string text = u"DB" + std::u16string(1, static_cast<char16_t>(u'0' + (i + t) % 7));
            const CBlockName& name = made[static_cast<size_t>(t)][static_cast<size_t>(i)];
            ASSERT_EQ(name.view(), text);
            ASSERT_EQ(name, CBlockName(text));  // the same name as one made on this thread
        }
    }
}
