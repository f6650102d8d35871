#include "host/project/text_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TextListTest, ListsSharingARoomKeepEveryTextAsGivenAcrossItsBlocks) {
    TextRoom room;
    std::vector<TextList> lists;
    lists.emplace_back(room);
    lists.emplace_back(room);
    TextList own;  // beside them, a list with pieces of its own
    std::vector<std::vector<std::string>> expected(3);
    auto add = [&](size_t list, std::string text) {
        TextList& into = list < 2 ? lists[list] : own;
        into.push_back(text);
        expected[list].push_back(std::move(text));
    };
    // Enough for the room's blocks to double up to their largest, an empty text, and one text larger
    // than any block.
    for (int i = 0; i < 300000; ++i)
        add(static_cast<size_t>(i % 3), "V" + std::to_string(i) + ".0 type 12 rw 2\tLine.Station" + std::to_string(i));
    add(0, "");
    add(1, std::string(5 << 20, 'k'));
    add(0, "after the large one");
    for (size_t list = 0; list < 3; ++list) {
        const TextList& kept = list < 2 ? lists[list] : own;
        ASSERT_EQ(kept.size(), expected[list].size()) << list;
        for (size_t i = 0; i < kept.size(); ++i) ASSERT_EQ(kept[i], expected[list][i]) << list << " " << i;
    }
}
