// Channels from imported tags: leaves to channel descriptions, and the batched merge against
// merging one row at a time.
#include <random>

#include "core/column_registry.h"
#include "import/channels_from_tags.h"
#include "import/single_row_merge.h"
#include "import_test_support.h"

namespace {

SFlatMember Leaf(const char16_t* type, const char16_t* block, int bitOffset, int read = 1, int write = 1, int length = 0) {
    SFlatMember leaf;
    leaf.Name = type;
    leaf.Type = type;
    leaf.Block = block;
    leaf.BitOffset = bitOffset;
    leaf.Read = read;
    leaf.Write = write;
    leaf.Length = length;
    return leaf;
}

/// regType, address, typeIndex, rwFlag and strLen of the description of a leaf.
template <typename... Args>
std::string Described(Args... args) {
    const SChlInfo info = MakeChannelDescription(MakeChannelTemplate(Leaf(args...)));
    return std::to_string(info.regType) + " " + info.address.ToUtf8() + " " + std::to_string(info.typeIndex) + " " +
           std::to_string(info.rwFlag) + " " + std::to_string(info.strLen);
}

CDevRow Row(int regType, int address, int bit, const std::string& name) {
    CDevRow row;
    row.SetInt(kColRegType, regType);
    row.SetInt(kColAddress, address);
    row.SetInt(kColBit, bit);
    row.SetText(kColVarName, CString::FromUtf8(name));
    return row;
}

/// Key and variable name of every row, so that tables compare beyond their keys.
std::vector<std::string> Rows(const CDevTable& table) {
    std::vector<std::string> rows;
    for (const CDevRow& row : table.Rows())
        rows.push_back(std::to_string(row.GetInt(kColRegType)) + "." + std::to_string(row.GetInt(kColAddress)) + "." +
                       std::to_string(row.GetInt(kColBit)) + " " + row.GetText(kColVarName).ToUtf8());
    return rows;
}

}  // namespace

TEST(ChannelsFromTags, LeavesMapToDescriptions) {
    EXPECT_EQ(Described(u"Bool", u"I", 3), "0 0 3 2 0");
    EXPECT_EQ(Described(u"Int", u"M", 80), "2 10 12 2 0");
    EXPECT_EQ(Described(u"Word", u"M", 80), "2 10 12 2 0");
    EXPECT_EQ(Described(u"UInt", u"M", 80), "2 10 11 2 0");
    EXPECT_EQ(Described(u"Real", u"DB12", 32), "3 12.4 17 2 0");
    EXPECT_EQ(Described(u"String", u"DB12", 0, 1, 1, 20), "3 12.0 19 2 20");
    EXPECT_EQ(Described(u"string", u"DB12", 0), "3 12.0 19 2 254");
    EXPECT_EQ(Described(u"Byte", u"Q", 8), "1 1 9 2 0");
    EXPECT_EQ(Described(u"USInt", u"Q", 8), "1 1 8 2 0");
    EXPECT_EQ(Described(u"dword", u"Q", 8), "1 1 15 2 0");
    EXPECT_EQ(Described(u"UDInt", u"Q", 8), "1 1 14 2 0");
    // Only a Bool takes its bit number; other types keep their index, a type without one stays -1.
    EXPECT_EQ(Described(u"bool", u"DB1", 13), "3 1.1 5 2 0");
    EXPECT_EQ(Described(u"Time", u"M", 3), "2 0 -1 2 0");
    EXPECT_EQ(Described(u"Int", u"I", 10), "0 1 12 2 0");
    EXPECT_EQ(Described(u"Bool", u"\"DB\"7", 13), "-1  0 2 0");
    // Both of read and write give read and write, neither read only (a member hidden from the HMI);
    // a value other than 1 counts as 0.
    EXPECT_EQ(Described(u"Int", u"M", 0, 1, 0), "2 0 12 0 0");
    EXPECT_EQ(Described(u"Int", u"M", 0, 5, 1), "2 0 12 1 0");
    EXPECT_EQ(Described(u"Int", u"M", 0, 0, 0), "2 0 12 0 0");
    EXPECT_EQ(Described(u"Int", u"M", 0, 1, 1), "2 0 12 2 0");
}

TEST(ChannelsFromTags, LeavesBecomeRowsThatReplaceRowsOfTheirKey) {
    CDevTable table;
    table.MergeRows({Row(0, 0, 3, "old"), Row(0, 0, 4, "kept")}, true);
    AddChannelsFromMembers({Leaf(u"Bool", u"I", 3), Leaf(u"Time", u"M", 0), Leaf(u"bool", u"I", 3)}, &table);
    EXPECT_EQ(Rows(table), (std::vector<std::string>{"0.0.3 bool", "0.0.4 kept"}));  // the later leaf wins; Time makes none
    AddChannelsFromMembers({Leaf(u"Int", u"M", 0)}, nullptr);  // without a table nothing happens
}

TEST(ChannelsFromTags, BatchedMergeEqualsMergingRowByRow) {
    std::mt19937 random(7);
    auto key = [&] { return static_cast<int>(random() % 6); };
    for (int round = 0; round < 300; ++round) {
        std::vector<CDevRow> start, rows;
        for (int i = random() % 8; i > 0; --i) start.push_back(Row(key() % 2, key(), key(), "t" + std::to_string(i)));
        if (round % 3) std::stable_sort(start.begin(), start.end());  // else an image's unsorted table
        for (int i = random() % 12; i > 0; --i) rows.push_back(Row(key() % 2, key(), key(), "n" + std::to_string(i)));
        CDevTable batched, single;
        batched.MergeRows(start, false);
        single.MergeRows(start, false);
        for (const CDevRow& row : rows) single.MergeRows({row}, true);
        MergeSingleRows(batched, rows);
        ASSERT_EQ(Rows(batched), Rows(single)) << "round " << round;
        EXPECT_EQ(batched.IsSorted(), single.IsSorted());
    }
}
