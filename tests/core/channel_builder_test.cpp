// Channel descriptions expanded into rows through SvrSetChlInfo: addresses, bits, strings, counts,
// generated names, the sorted merge with replacement, and descriptions that are refused.
#include <gtest/gtest.h>

#include <array>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "test_device.h"

namespace {

using Names16 = std::vector<std::u16string>;

/// A device whose table is empty.
class EmptyTable : public ::testing::Test {
protected:
    void SetUp() override { Clear(device); }
    TestDevice device;
};

/// Register type, block, address, bit, data-type code of every row.
std::vector<std::array<int, 5>> Keys(const CDevTable& table) {
    std::vector<std::array<int, 5>> keys;
    for (const RowCells& row : CellsOf(table)) keys.push_back({row.regType, row.block, row.address, row.bit, row.typeCode});
    return keys;
}

}  // namespace

TEST_F(EmptyTable, BitChannelsCountThroughTheBitsOfConsecutiveBytes) {
    SChlInfo info = Describe(0, 0, u"0", 8);
    EXPECT_EQ(SvrSetChlInfo(&device.object, info), 1);
    EXPECT_EQ(Names(device.Table()), (Names16{u"I读写000.0", u"I读写000.1", u"I读写000.2", u"I读写000.3", u"I读写000.4",
                                             u"I读写000.5", u"I读写000.6", u"I读写000.7"}));
    EXPECT_EQ(info.address, u"1");

    Clear(device);
    info = Describe(0, 6, u"2", 4);
    EXPECT_EQ(SvrSetChlInfo(&device.object, info), 1);
    EXPECT_EQ(Keys(device.Table()), (std::vector<std::array<int, 5>>{{0, 0, 2, 6, 6}, {0, 0, 2, 7, 7}, {0, 0, 3, 0, 0}, {0, 0, 3, 1, 1}}));
    EXPECT_EQ(Names(device.Table()), (Names16{u"I读写002.6", u"I读写002.7", u"I读写003.0", u"I读写003.1"}));
    EXPECT_EQ(info.address, u"3");
    EXPECT_EQ(StoredRows(device), CellsOf(device.Table()));
}

TEST_F(EmptyTable, AddressFormsOfDataBlocksAndOtherRegisters) {
    SChlInfo words = Describe(3, 11, u"5.10", 3);
    SvrSetChlInfo(&device.object, words);
    EXPECT_EQ(words.address, u"5.16");
    EXPECT_EQ(Keys(device.Table()), (std::vector<std::array<int, 5>>{{3, 5, 10, 0, 83}, {3, 5, 12, 0, 83}, {3, 5, 14, 0, 83}}));
    EXPECT_EQ(Names(device.Table()), (Names16{u"DB5:读写WUB010", u"DB5:读写WUB012", u"DB5:读写WUB014"}));

    Clear(device);
    SChlInfo block = Describe(3, 11, u"7", 1);  // no ".": the number is the block, at byte 0
    SvrSetChlInfo(&device.object, block);
    EXPECT_EQ(Keys(device.Table()), (std::vector<std::array<int, 5>>{{3, 7, 0, 0, 83}}));
    EXPECT_EQ(block.address, u"7.2");

    Clear(device);
    SChlInfo memory = Describe(2, 0, u"3.4", 1);  // a block number outside data blocks is ignored
    SvrSetChlInfo(&device.object, memory);
    EXPECT_EQ(Keys(device.Table()), (std::vector<std::array<int, 5>>{{2, 0, 4, 0, 0}}));
    EXPECT_EQ(Names(device.Table()), (Names16{u"M读写004.0"}));
    EXPECT_EQ(memory.address, u"4");

    Clear(device);
    SChlInfo spaced = Describe(3, 8, u" 2 . 9 ", 1);
    SvrSetChlInfo(&device.object, spaced);
    SChlInfo negative = Describe(1, 9, u"-5", 1);
    SvrSetChlInfo(&device.object, negative);
    EXPECT_EQ(Keys(device.Table()), (std::vector<std::array<int, 5>>{{1, 0, 0, 0, 81}, {3, 2, 9, 0, 80}}));
    EXPECT_EQ(negative.address, u"1");
}

TEST_F(EmptyTable, NamesCarryTheReadWriteTextAndTheTypeCode) {
    Add(device, Describe(2, 11, u"10", 1, 0));
    Add(device, Describe(1, 18, u"100", 1, 1));
    Add(device, Describe(0, 12, u"1000", 1, 2));
    Add(device, Describe(3, 17, u"12.8", 1, 1));
    EXPECT_EQ(Names(device.Table()), (Names16{u"I读写WB1000", u"Q只写LDF100", u"M只读WUB010", u"DB12:只写DF008"}));
    const char16_t* codes[] = {u"BUB", u"BB", u"BD", u"WUB", u"WB", u"WD", u"DUB", u"DB", u"DD", u"DF", u"LDF"};
    const int sizes[] = {1, 1, 1, 2, 2, 2, 4, 4, 4, 4, 8};
    for (int index = 8; index <= 18; ++index) {
        Clear(device);
        SChlInfo info = Describe(3, index, u"0.0", 2);
        SvrSetChlInfo(&device.object, info);
        const std::u16string second = CString::Formatted(u"DB0:读写%s%.3d", codes[index - 8], sizes[index - 8]).str();
        EXPECT_EQ(Names(device.Table()), (Names16{u"DB0:读写" + std::u16string(codes[index - 8]) + u"000", second}));
        EXPECT_EQ(device.Table().GetRow(0).GetInt(ColumnName::kTypeCode), 72 + index);
        EXPECT_EQ(info.address, CString::Formatted(u"0.%d", 2 * sizes[index - 8]));
    }
}

TEST_F(EmptyTable, StringLengthsComeFromTheAddressOrTheParameterAndAreClamped) {
    SChlInfo strings = Describe(3, 19, u"1.0_30", 2);
    SvrSetChlInfo(&device.object, strings);
    EXPECT_EQ(Keys(device.Table()), (std::vector<std::array<int, 5>>{{3, 1, 0, 30, 131}, {3, 1, 32, 30, 131}}));
    EXPECT_EQ(Names(device.Table()), (Names16{u"DB1:读写STR000_30", u"DB1:读写STR032_30"}));
    EXPECT_EQ(strings.address, u"1.64");
    EXPECT_EQ(strings.strLen, 30);

    Clear(device);
    Add(device, Describe(3, 19, u"1.4_20", 1));
    EXPECT_EQ(Names(device.Table()), (Names16{u"DB1:读写STR004_20"}));

    struct Case {
        const char16_t* address;
        const char16_t* parameter;  // first of paramValues, or none
        int length;
    };
    const Case cases[] = {
        {u"1.0", u"128", 128}, {u"1.0", u" 64x", 64}, {u"1.0_2", nullptr, 4}, {u"1.0_500", u"128", 210},
        {u"1.0_", u"128", 4},  {u"1.0", nullptr, 4},   {u"1.0", u"", 4},      {u"5_40", nullptr, 40},
    };
    for (const Case& c : cases) {
        Clear(device);
        SChlInfo info = Describe(c.address[1] == u'_' ? 1 : 3, 19, c.address, 1);
        if (c.parameter) info.paramValues.Add(c.parameter);
        SvrSetChlInfo(&device.object, info);
        EXPECT_EQ(info.strLen, c.length) << CString(c.address).ToUtf8();
        EXPECT_EQ(device.Table().GetRow(0).GetInt(ColumnName::kBit), c.length);
    }
    // I, Q and M strings: N_L, stepping over the two header bytes.
    Clear(device);
    SChlInfo output = Describe(1, 19, u"5_40", 2);
    SvrSetChlInfo(&device.object, output);
    EXPECT_EQ(Names(device.Table()), (Names16{u"Q读写STR005_40", u"Q读写STR047_40"}));
    EXPECT_EQ(output.address, u"89");
}

TEST_F(EmptyTable, CountsAreAtLeastOneAndAtMost5000) {
    const std::pair<int, int> counts[] = {{0, 1}, {1, 1}, {5000, 5000}, {7000, 5000}, {-1, 5000}};
    for (auto [count, rows] : counts) {
        Clear(device);
        SChlInfo info = Describe(2, 11, u"0", count);
        EXPECT_EQ(SvrSetChlInfo(&device.object, info), 1);
        EXPECT_EQ(device.Table().GetRowCount(), rows) << count;
        EXPECT_EQ(info.address, CString::Formatted(u"%d", 2 * rows));
    }
    EXPECT_EQ(Names(device.Table()).back(), u"M读写WUB9998");
}

TEST_F(EmptyTable, VariableNamesAndCommentsGoIntoEveryRow) {
    SChlInfo info = Describe(2, 0, u"0", 2);
    info.varName = u"Motor.Speed";
    info.comment = u"注释";
    Add(device, info);
    for (const RowCells& row : CellsOf(device.Table())) {
        EXPECT_EQ(row.varName, u"Motor.Speed");
        EXPECT_EQ(row.comment, u"注释");
        EXPECT_EQ(row.fastRead, 0);
        EXPECT_EQ(row.maxBlockRead, 0);
        EXPECT_EQ(row.rwFlag, 2);
    }
}

TEST(ChannelMergeTest, BlocksGoWhereTheirKeysBelongAndReplaceWhatTheyCover) {
    TestDevice device;  // the eight bit channels of input byte 0
    // The same block again replaces it.
    EXPECT_EQ(Add(device, Describe(0, 0, u"0", 8)), 1);
    EXPECT_EQ(device.Table().GetRowCount(), 8);
    // After the I rows: its position + 1.
    EXPECT_EQ(Add(device, Describe(2, 11, u"20", 1)), 9);
    EXPECT_EQ(Add(device, Describe(2, 11, u"10", 1)), 9);
    EXPECT_EQ(Add(device, Describe(2, 11, u"14", 1)), 10);
    EXPECT_EQ(Add(device, Describe(1, 8, u"0", 2)), 9);
    // Same key (register, block, address, bit), another data type: the row is replaced.
    EXPECT_EQ(Add(device, Describe(0, 8, u"0", 1, 0)), 1);
    EXPECT_EQ(Names(device.Table()), (Names16{u"I只读BUB000", u"I读写000.1", u"I读写000.2", u"I读写000.3", u"I读写000.4",
                                             u"I读写000.5", u"I读写000.6", u"I读写000.7", u"Q读写BUB000", u"Q读写BUB001",
                                             u"M读写WUB010", u"M读写WUB014", u"M读写WUB020"}));
    // A block replaces every row between its first and last key: bytes 10 to 19 replace the words
    // at 10 and 14.
    EXPECT_EQ(Add(device, Describe(2, 8, u"10", 10)), 11);
    EXPECT_EQ(device.Table().GetRowCount(), 13 - 2 + 10);
    EXPECT_EQ(Names(device.Table()).back(), u"M读写WUB020");
    EXPECT_EQ(StoredRows(device), CellsOf(device.Table()));
}

TEST(ChannelMergeTest, RefusedDescriptionsAddNothingAndSaveTheTable) {
    TestDevice device;
    Add(device, Describe(3, 19, u"1.0_30", 2));
    const Bytes image = device.Image();
    const SChlInfo refused[] = {
        Describe(4, 0, u"0", 1),  Describe(-1, 0, u"0", 1), Describe(0, 20, u"0", 1), Describe(0, -1, u"0", 1),
        Describe(0, 0, u"0", 1, 3), Describe(0, 0, u"0", 1, -1), SChlInfo(),
    };
    for (const SChlInfo& info : refused) {
        // Loaded again, the archive is left loading; a save leaves it storing.
        SvrExitDevRun(&device.object);
        device.Record();
        EXPECT_FALSE(device.archive.IsStoring());
        EXPECT_EQ(Add(device, info), 0);
        EXPECT_TRUE(device.archive.IsStoring());  // written again
        EXPECT_EQ(device.Image(), image);
    }
}

TEST_F(EmptyTable, BlocksUpToTheTopOfTheRangeAreBuiltAndBlocksPastItRefused) {
    // The last rows that fit, with the next free address still a 32-bit one.
    SChlInfo bits = Describe(2, 0, u"2147483647", 7);
    EXPECT_NE(SvrSetChlInfo(&device.object, bits), 0);
    EXPECT_EQ(bits.address, u"2147483647");  // bit 7 of it is still free
    SChlInfo string = Describe(3, 19, u"1.2147483545_100", 1);
    EXPECT_NE(SvrSetChlInfo(&device.object, string), 0);
    EXPECT_EQ(string.address, u"1.2147483647");
    EXPECT_EQ(device.Table().GetRowCount(), 8);
    EXPECT_TRUE(RowsAreSorted(device.Table().Rows()));
    const Bytes image = device.Image();

    // One row more, a next address past the top, a block running past it, numbers that do not fit
    // in 32 bits: nothing is built, nothing changes, no address wraps to a negative one.
    for (SChlInfo refused : {Describe(2, 0, u"2147483647", 8), Describe(2, 8, u"2147483647", 1),
                             Describe(3, 19, u"1.2147480000_210", 5000), Describe(3, 19, u"1.2147483600_100", 10),
                             Describe(2, 8, u"99999999999", 1), Describe(3, 8, u"4294967296.0", 1),
                             Describe(3, 19, u"1.0_99999999999", 1)}) {
        SCOPED_TRACE(CString(refused.address).ToUtf8());
        EXPECT_EQ(SvrSetChlInfo(&device.object, refused), 0);
        EXPECT_EQ(device.Table().GetRowCount(), 8);
        EXPECT_EQ(device.Image(), image);
    }
    for (const RowCells& row : CellsOf(device.Table())) EXPECT_GE(row.address, 0);
}
