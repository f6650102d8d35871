// Channels from imported tags: leaves to channel descriptions, and the batched merge against
// merging one row at a time.
#include <random>

#include "core/column_registry.h"
#include "core/owner_archive.h"
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

namespace {

std::vector<uint8_t> StoredBytes(CDevTable& table) {
    COwnerArchive archive(COwnerArchive::kStoring);
    archive.Store(table);
    const CByteArray& buffer = archive.GetBuffer();
    return std::vector<uint8_t>(buffer.begin(), buffer.begin() + archive.GetPosition());
}

}  // namespace

// A batched import builds a leaf's row straight from the leaf's cells where it can; merging one
// description at a time goes through the template's address text. Every leaf, whichever way
// it goes, must give the same row, cell for cell and byte for byte.
TEST(ChannelsFromTags, ALeafGivesTheRowOfItsDescriptionWhicheverWayItIsBuilt) {
    const char16_t* blocks[] = {u"I", u"Q", u"M", u"DB12", u"DB007", u"DB999999999", u"DB4294967296", u"DB99999999999",
                                u"DB", u"D", u"DB1_2", u"DB 5", u"DB-3", u"DB1.5", u"\"DB\"x", u"X12"};
    const char16_t* types[] = {u"Bool", u"bool", u"Byte", u"Int", u"DINT", u"Real", u"LReal", u"String", u"WChar",
                               u"HW_IO", u"EVENT_ANY", u"Time", u"", u"Bool_but_longer_than_any_listed"};
    const int offsets[] = {0, 3, 15, 80, 8 * 65535 + 7, INT32_MAX, INT32_MAX - 7, -1, -8};
    int leaves = 0, rowsMade = 0;
    for (const char16_t* block : blocks)
        for (const char16_t* type : types)
            for (int offset : offsets)
                for (int access : {0, 1, 2, 3}) {
                    SFlatMember leaf = Leaf(type, block, offset, access & 1, access >> 1 & 1, offset % 300);
                    leaf.Name = u"Line 1.Tank[2].值";
                    leaf.Mark = access == 3 ? u"温度 °C" : u"level";
                    CDevTable batched, single;
                    AddChannelsFromMembers({leaf}, &batched, ChannelMerge::kBatched);
                    AddChannelsFromMembers({leaf}, &single, ChannelMerge::kRowByRow);
                    ASSERT_EQ(StoredBytes(batched), StoredBytes(single))
                        << CString(block).ToUtf8() << " " << CString(type).ToUtf8() << " " << offset << " " << access;
                    ++leaves;
                    rowsMade += batched.GetRowCount();
                }
    // Both ways must have been met: leaves that make a row and leaves that make none.
    EXPECT_GT(rowsMade, leaves / 4);
    EXPECT_LT(rowsMade, leaves);
}
