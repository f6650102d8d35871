#include "platform/freed_memory.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

/// An item that does not divide a page evenly, with a text of its own to destroy.
struct SItem {
    std::string text;
    uint8_t filler[13] = {};
};

/// How many whole pages from the item at first to the end of the list's room are still held.
size_t PagesHeldFrom(const std::vector<SItem>& list, size_t first) {
    const uintptr_t page = MemoryPageBytes();
    const auto begin = (reinterpret_cast<uintptr_t>(list.data() + first) + page - 1) / page * page;
    const auto end = reinterpret_cast<uintptr_t>(list.data() + list.capacity()) / page * page;
    if (end <= begin) return 0;
    std::vector<unsigned char> held((end - begin) / page);
    if (mincore(reinterpret_cast<void*>(begin), end - begin, held.data()) != 0) return SIZE_MAX;
    size_t count = 0;
    for (unsigned char state : held) count += state & 1;
    return count;
}

}  // namespace

TEST(FreedMemoryTest, ListsLetGoOfFromTheirEndARoundAtATimeHoldNoPagePastWhatTheyKeep) {
    constexpr size_t kItems = 200000;
    std::vector<SItem> list(kItems);
    for (size_t i = 0; i < kItems; ++i) list[i].text = "leaf " + std::to_string(i) + std::string(20, 'x');
    ASSERT_GT(PagesHeldFrom(list, 0), 1000u);
    // Rounds of a size that ends mid-page, from the back, as the rows are built from the leaves.
    for (size_t keep = kItems; keep > 0;) {
        keep = keep > 7777 ? keep - 7777 : 0;
        LetGoOfItemsFrom(list, keep);
        ASSERT_EQ(list.size(), keep);
        EXPECT_EQ(PagesHeldFrom(list, keep), 0u) << "after letting go from " << keep;
        if (keep > 0) {
            EXPECT_EQ(list[keep - 1].text, "leaf " + std::to_string(keep - 1) + std::string(20, 'x'));
        }
    }
}
