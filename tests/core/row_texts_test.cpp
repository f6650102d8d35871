// A row's texts in one block, in one byte or two per character: each text set on its own leaves
// the others as they were, a text may be set from a view of the row's own texts, copies do not
// share their block, and blocks made on several threads keep their own characters wherever they
// are let go of.
#include <gtest/gtest.h>

#include "core/row_texts.h"

TEST(RowTextsTest, SettingATextKeepsTheOthersEvenWhenGivenAViewOfTheBlock) {
    std::u16string buffer;
    auto text = [&](const CRowTexts& texts, int slot) { return std::u16string(texts.Get(slot, buffer)); };
    // Each round keeps its characters in its own way: in one byte each, then in two, as one text
    // that needs two makes the block anew.
    for (const std::u16string third : {u"speed °", u"速度"}) {
        CRowTexts texts;
        EXPECT_EQ(text(texts, 2), u"");
        texts.Set(1, u"Motor.Speed");
        texts.Set(0, u"DB1:RWW002");
        texts.Set(2, third);
        EXPECT_EQ(text(texts, 0), u"DB1:RWW002");
        EXPECT_EQ(text(texts, 1), u"Motor.Speed");
        EXPECT_EQ(text(texts, 2), third);

        texts.Set(2, texts.Get(1, buffer).substr(0, 5));  // a view of the block being replaced
        texts.Set(1, u"");
        EXPECT_EQ(text(texts, 0), u"DB1:RWW002");
        EXPECT_EQ(text(texts, 1), u"");
        EXPECT_EQ(text(texts, 2), u"Motor");

        CRowTexts copy = texts;
        copy.Set(0, u"I0.0");
        EXPECT_EQ(text(texts, 0), u"DB1:RWW002");
        EXPECT_EQ(text(copy, 2), u"Motor");
        copy = texts;
        copy.Set(1, third);
        EXPECT_EQ(text(copy, 0), u"DB1:RWW002");
        EXPECT_EQ(text(copy, 1), third);
        EXPECT_EQ(text(copy, 2), u"Motor");
        copy.Set(1, u"\u00ff\u0100");  // one character that needs two bytes
        EXPECT_EQ(text(copy, 1), u"\u00ff\u0100");
        EXPECT_EQ(text(copy, 2), u"Motor");
        copy.Set(1, u"");
        CRowTexts::Buffers mine, others;
        EXPECT_EQ(copy.All(mine), texts.All(others));
        texts.Assign({});
        EXPECT_EQ(text(texts, 0), u"");
        EXPECT_EQ(text(copy, 0), u"DB1:RWW002");
    }
}

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/text_block_room.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {

/// The text rows of one thread get: its number and the row's, long enough to fill several pieces,
/// and now and then one longer than a piece's share of blocks.
std::u16string TextOf(int thread, int row) {
    std::u16string text = u"T" + std::u16string(1, static_cast<char16_t>(u'0' + thread)) + u"-" +
                          std::u16string(static_cast<size_t>(row % 40), static_cast<char16_t>(u'a' + row % 26));
    if (row % 997 == 0) text.append(TextBlockRoom::kPieceBytes / 2, u'x');
    if (row % 5 == 0) text += u"速";  // a block of two bytes for each character
    return text;
}

}  // namespace

TEST(RowTextsTest, TextsMadeOnSeveralThreadsKeepTheirOwnCharactersWhereverTheyAreLetGoOf) {
    constexpr int kThreads = 4, kRows = 20000;
    std::vector<std::vector<CRowTexts>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&made, t] {
            for (int row = 0; row < kRows; ++row) {
                CRowTexts texts;
                texts.Set(1, TextOf(t, row));
                made[static_cast<size_t>(t)].push_back(std::move(texts));
                if (row % 3 == 0) made[static_cast<size_t>(t)][static_cast<size_t>(row / 2)].Set(2, u"again");
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    // Every thread's rows are checked, and let go of, on other threads than the one that made them.
    threads.clear();
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&made, t] {
            std::u16string buffer;
            std::vector<CRowTexts>& rows = made[static_cast<size_t>((t + 1) % kThreads)];
            for (int row = 0; row < kRows; ++row)
                if (rows[static_cast<size_t>(row)].Get(1, buffer) != TextOf((t + 1) % kThreads, row)) std::abort();
            rows.clear();
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const std::vector<CRowTexts>& rows : made) EXPECT_TRUE(rows.empty());
}

#if defined(__SANITIZE_ADDRESS__)
TEST(RowTextsTest, ATextBlockGivenBackCannotBeReadWithoutTheSanitizerSeeingIt) {
    char16_t* block = TextBlockRoom::Take(10);
    EXPECT_FALSE(__asan_address_is_poisoned(block + 9));
    char16_t* next = TextBlockRoom::Take(10);  // keeps the piece taken
    TextBlockRoom::Give(block, 10);
    EXPECT_TRUE(__asan_address_is_poisoned(block));
    EXPECT_TRUE(__asan_address_is_poisoned(block + 9));
    TextBlockRoom::Give(next, 10);
}
#endif
