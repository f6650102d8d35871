// A shared text: its copies hold the same characters, and the characters live as long as a copy.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "types/shared_text.h"

TEST(SharedTextTest, CopiesShareTheCharactersUntilTheLastIsLetGoOf) {
    auto original = std::make_unique<CSharedText>(std::u16string_view(u"contactor closed"));
    CSharedText copy = *original;
    CSharedText assigned;
    assigned = copy;
    EXPECT_EQ(copy.view().data(), original->view().data());
    EXPECT_EQ(assigned.view().data(), original->view().data());
    original.reset();  // the copies keep the characters (a freed block would fail under the sanitizer)
    EXPECT_EQ(copy, u"contactor closed");
    assigned = assigned;  // NOLINT: a text assigned to itself stays
    EXPECT_EQ(assigned.Text(), CString(u"contactor closed"));
    CSharedText moved = std::move(copy);
    EXPECT_TRUE(copy.IsEmpty());  // NOLINT: a text moved from is empty
    EXPECT_EQ(moved.GetLength(), 16);
    moved = CSharedText(u"电流 A");
    EXPECT_EQ(moved.ToUtf8(), "电流 A");
    EXPECT_EQ(assigned, CString(u"contactor closed"));
    EXPECT_TRUE(CSharedText(u"").IsEmpty());
    EXPECT_EQ(CSharedText(), u"");
}

TEST(SharedTextTest, CopiesMadeAndLetGoOfOnSeveralThreadsKeepTheText) {
    // Leaves laid out side by side copy the same declarations' comments, and are let go of on
    // other threads than the one that made them.
    constexpr int kThreads = 4, kCopies = 5000;
    const std::vector<CSharedText> declared{CSharedText(u"rpm"), CSharedText(u"operating hours"), CSharedText(u"液位")};
    std::vector<std::vector<CSharedText>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kCopies; ++i) made[static_cast<size_t>(t)].push_back(declared[static_cast<size_t>(i + t) % declared.size()]);
        });
    }
    for (std::thread& thread : threads) thread.join();
    threads.clear();
    for (int t = 0; t < kThreads; ++t) {
        // Each thread lets go of another's copies, all but one of each text.
        threads.emplace_back([&, t] { made[static_cast<size_t>(t + 1) % kThreads].resize(declared.size()); });
    }
    for (std::thread& thread : threads) thread.join();
    for (const std::vector<CSharedText>& kept : made)
        for (size_t i = 0; i < kept.size(); ++i) ASSERT_EQ(kept[i].view().data(), declared[(i + static_cast<size_t>(&kept - made.data())) % declared.size()].view().data());
}
