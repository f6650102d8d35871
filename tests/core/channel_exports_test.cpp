// The exports through which the host's channel dialog reads and deletes channels: descriptions of
// rows, the channel list with kinds, deletion by index, and the channel address form.
#include <gtest/gtest.h>

#include <functional>

#include "core/column_registry.h"
#include "core/exports.h"
#include "core/text_tables.h"
#include "platform/invalid_arg.h"
#include "platform/parallel.h"
#include "test_device.h"

namespace {

CArray<int32_t> Indices(std::initializer_list<int32_t> values) {
    CArray<int32_t> list;
    for (int32_t value : values) list.Add(value);
    return list;
}

std::vector<int32_t> ToVector(const CArray<int32_t>& list) { return std::vector<int32_t>(list.begin(), list.end()); }

/// A device with the rows the tests describe: a bit, a data block word and string, with names.
class DescribedTable : public ::testing::Test {
protected:
    void SetUp() override {
        Clear(device);
        SChlInfo bit = Describe(0, 5, u"0", 1, 0);
        bit.comment = u"按钮";
        Add(device, bit);
        SChlInfo word = Describe(3, 11, u"1.10", 1, 1);
        Add(device, word);
        SChlInfo text = Describe(3, 19, u"1.4_20", 1);
        text.varName = u"Motor.Speed[1]";
        Add(device, text);
    }
    TestDevice device;
};

}  // namespace

TEST_F(DescribedTable, GetChlInfoDescribesEveryRowWhenNoIndexIsGiven) {
    CArray<int32_t> indices;
    CArray<SChlInfo> infos;
    infos.SetSize(7);
    EXPECT_EQ(SvrGetChlInfo(&device.object, indices, infos), 3);
    EXPECT_EQ(ToVector(indices), (std::vector<int32_t>{0, 1, 2}));
    ASSERT_EQ(infos.GetSize(), 3);

    const SChlInfo& bit = infos[0];
    EXPECT_EQ(bit.chlIndex, 0);
    EXPECT_EQ(bit.regType, 0);
    EXPECT_EQ(bit.typeIndex, 5);
    EXPECT_EQ(bit.strLen, -1);
    EXPECT_EQ(bit.address, u"0");
    EXPECT_EQ(bit.chlCount, 1);
    EXPECT_EQ(bit.rwFlag, 0);
    EXPECT_EQ(bit.chlKind, 1);
    EXPECT_EQ(bit.chlName, u"I只读000.5");
    EXPECT_EQ(bit.varName, u"I只读000_5");
    EXPECT_EQ(bit.comment, u"按钮");

    // The string stands before the word: address 4 before 10.
    const SChlInfo& text = infos[1];
    EXPECT_EQ(text.regType, 3);
    EXPECT_EQ(text.typeIndex, 19);
    EXPECT_EQ(text.address, u"1.4_20");
    EXPECT_EQ(text.chlKind, 3);
    EXPECT_EQ(text.chlName, u"DB1:读写STR004_20");
    EXPECT_EQ(text.varName, u"Motor_Speed_1_");
    EXPECT_TRUE(text.comment.IsEmpty());

    const SChlInfo& word = infos[2];
    EXPECT_EQ(word.typeIndex, 11);
    EXPECT_EQ(word.address, u"1.10");
    EXPECT_EQ(word.rwFlag, 1);
    EXPECT_EQ(word.chlKind, 2);  // not negated for write only
    EXPECT_EQ(word.chlName, u"DB1:只写WUB010");
    EXPECT_EQ(word.varName, u"DB1_只写WUB010");
}

TEST_F(DescribedTable, GetChlInfoRefusesTooManyOrOutOfRangeIndices) {
    CArray<int32_t> four = Indices({0, 1, 2, 0});
    CArray<SChlInfo> infos;
    EXPECT_EQ(SvrGetChlInfo(&device.object, four, infos), 0);
    EXPECT_EQ(infos.GetSize(), 0);

    CArray<int32_t> some = Indices({2, 2, 3});
    EXPECT_EQ(SvrGetChlInfo(&device.object, some, infos), 0);
    ASSERT_EQ(infos.GetSize(), 3);
    EXPECT_EQ(infos[0].chlIndex, 2);  // the descriptions before the bad index are filled
    EXPECT_EQ(infos[1].chlName, u"DB1:只写WUB010");
    EXPECT_EQ(infos[2].chlIndex, -1);

    CArray<int32_t> negative = Indices({-1});
    EXPECT_EQ(SvrGetChlInfo(&device.object, negative, infos), 0);

    CArray<int32_t> picked = Indices({2, 0});
    EXPECT_EQ(SvrGetChlInfo(&device.object, picked, infos), 3);
    ASSERT_EQ(infos.GetSize(), 2);
    EXPECT_EQ(infos[0].chlIndex, 2);
    EXPECT_EQ(infos[1].chlIndex, 0);
    EXPECT_EQ(infos[1].comment, u"按钮");
}

TEST_F(DescribedTable, GetChlInfoRecomputesTheStoredNamesWithTheCurrentTexts) {
    std::vector<CString>& rwTexts = TextTable(kReadWriteTexts).entries;
    rwTexts = {u"RO", u"WO", u"RW"};
    CArray<int32_t> indices = Indices({2});
    CArray<SChlInfo> infos;
    SvrGetChlInfo(&device.object, indices, infos);
    ResetBuiltinTexts();
    EXPECT_EQ(infos[0].chlName, u"DB1:WOWUB010");
    const std::vector<std::u16string> names = Names(device.Table());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"I只读000.5", u"DB1:读写STR004_20", u"DB1:WOWUB010"}));
}

TEST(GetChlInfoTest, RowsDescribedSideBySideAreDescribedAsInOrder) {
    TestDevice device;
    Clear(device);
    SChlInfo words = Describe(3, 11, u"1.0", 5000);
    words.varName = CString(u'x', 510);  // cut, with each row's place in the list at its end
    Add(device, words);
    Add(device, Describe(3, 11, u"2.0", 5000));
    SChlInfo bits = Describe(2, 0, u"0", 5000, 1);
    bits.comment = u"工位";
    Add(device, bits);
    struct SDescribed {
        int result = 0;
        std::vector<std::u16string> texts;
        std::vector<std::u16string> names;
    };
    // Every stored name is made anew with other texts: each part stores the names of its rows.
    auto describe = [&](int parts, CArray<int32_t> indices) {
        SetMaxParallelParts(parts);
        TextTable(kReadWriteTexts).entries = {u"RO", u"WO", u"RW"};
        TestDevice copy;
        Clear(copy);
        copy.Table() = device.Table();
        CArray<SChlInfo> infos;
        SDescribed described;
        described.result = SvrGetChlInfo(&copy.object, indices, infos);
        ResetBuiltinTexts();
        SetMaxParallelParts(0);
        for (const SChlInfo& info : infos)
            described.texts.push_back(CString::Formatted(u"%d %s %s %s %s", info.chlIndex, info.address.GetString(),
                                                         info.chlName.GetString(), info.varName.GetString(), info.comment.GetString()).str());
        described.names = Names(copy.Table());
        return described;
    };
    const SDescribed inOrder = describe(1, CArray<int32_t>());
    ASSERT_EQ(inOrder.result, 15000);
    EXPECT_EQ(inOrder.texts[0], u"0 0 MWO000.0 MWO000_0 工位");
    EXPECT_EQ(inOrder.texts[9999], u"9999 1.9998 DB1:RWWUB9998 " + std::u16string(494, u'x') + u"_9999 ");
    EXPECT_EQ(inOrder.names[9999], u"DB1:RWWUB9998");
    const SDescribed sideBySide = describe(3, CArray<int32_t>());
    EXPECT_EQ(sideBySide.texts, inOrder.texts);
    EXPECT_EQ(sideBySide.names, inOrder.names);

    // A list that stops at an index outside the table is described up to it, side by side too.
    CArray<int32_t> rising;
    for (int i = 0; i < 15000; i += 2) rising.Add(i);
    rising.Add(15000);
    rising.Add(1);
    const SDescribed stopped = describe(3, rising);
    EXPECT_EQ(stopped.result, 0);
    ASSERT_EQ(stopped.texts.size(), 7502u);
    EXPECT_EQ(stopped.texts[7499], inOrder.texts[14998]);
    EXPECT_EQ(stopped.texts[7501].substr(0, 3), u"-1 ");  // past the bad index: not described
}

TEST(GetChlInfoTest, VariableNamesAreSanitisedAndLongOnesCut) {
    TestDevice device;
    Clear(device);
    struct Case {
        std::u16string varName, expected;
    };
    const std::vector<Case> cases = {
        {u"Motor.Speed[1]", u"Motor_Speed_1_"},
        {u"a:b(c)d", u"a_b_c_d"},
        {u"a[]b", u"a_b"},     // "[" and "]" give two underscores, which are replaced next
        {u"a___b", u"a__b"},   // one pass over the text, left to right
        {u"x-+y", u"x__y"},    // underscores made after that pass stay
        {u"`~!@#$%^&*=\\|}{'\";/?>,<", std::u16string(23, u'_')},
        {u"a\rb\tc d\ne￥f读", u"a_b_c_d\ne_f读"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SChlInfo info = Describe(2, 8, CString::Formatted(u"%d", static_cast<int>(i)).GetString(), 1);
        info.varName = cases[i].varName;
        Add(device, info);
    }
    CArray<int32_t> indices;
    CArray<SChlInfo> infos;
    ASSERT_EQ(SvrGetChlInfo(&device.object, indices, infos), static_cast<int>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(infos[static_cast<int>(i)].varName, cases[i].expected) << i;

    // 500 characters or more: the first 494 and "_" with the position in the list, four digits.
    Clear(device);
    // A name that is long once sanitized is cut after its characters are replaced.
    const std::u16string longName(600, u'v'), limit(500, u'w'), below(499, u'x'), dotted = u"a.b" + std::u16string(597, u'y');
    for (const std::u16string* name : {&longName, &limit, &below, &dotted}) {
        SChlInfo info = Describe(2, 8, CString::Formatted(u"%d", device.Table().GetRowCount()).GetString(), 1);
        info.varName = *name;
        Add(device, info);
    }
    CArray<int32_t> picked = Indices({2, 1, 0, 3});
    ASSERT_EQ(SvrGetChlInfo(&device.object, picked, infos), 4);
    EXPECT_EQ(infos[0].varName, CString(below));
    EXPECT_EQ(infos[1].varName, CString(std::u16string(494, u'w') + u"_0001"));
    EXPECT_EQ(infos[2].varName, CString(std::u16string(494, u'v') + u"_0002"));
    EXPECT_EQ(infos[3].varName, CString(u"a_b" + std::u16string(491, u'y') + u"_0003"));
}

TEST(GetChannelTest, KindsFollowTheDataTypeAndWriteOnlyIsNegated) {
    TestDevice device;
    Clear(device);
    CStringArray names;
    CArray<int32_t> kinds;
    names.Add(u"stale");
    kinds.Add(9);
    EXPECT_EQ(SvrGetChannel(&device.object, names, kinds), 1);
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_EQ(kinds.GetSize(), 0);

    Add(device, Describe(0, 3, u"0", 1, 0));      // read-only bit
    Add(device, Describe(1, 11, u"0", 1, 1));     // write-only 16-bit word
    Add(device, Describe(2, 19, u"0_8", 1, 2));   // string
    Add(device, Describe(3, 17, u"1.0", 1, 1));   // write-only float
    Add(device, Describe(3, 19, u"2.0", 1, 1));   // write-only string
    EXPECT_EQ(SvrGetChannel(&device.object, names, kinds), 1);
    EXPECT_EQ(ToVector(kinds), (std::vector<int32_t>{1, -2, 3, -2, -3}));
    ASSERT_EQ(names.GetSize(), 5);
    EXPECT_EQ(names[0], u"I只读000.3");
    EXPECT_EQ(names[1], u"Q只写WUB000");
    EXPECT_EQ(names[2], u"M读写STR000_8");
}

TEST(DeleteChlInfoTest, IndicesAreSortedAndWalkedFromTheLast) {
    TestDevice device;
    Clear(device);
    Add(device, Describe(2, 11, u"0", 6));  // M words at 0, 2, ..., 10
    CArray<int32_t> indices = Indices({4, 1, 4});
    EXPECT_EQ(SvrDeleteChlInfo(&device.object, indices), 1);
    EXPECT_EQ(ToVector(indices), (std::vector<int32_t>{1, 4, 4}));  // the host sees its list sorted
    EXPECT_EQ(Names(device.Table()), (std::vector<std::u16string>{u"M读写WUB000", u"M读写WUB004", u"M读写WUB006"}));
    EXPECT_EQ(StoredRows(device), CellsOf(device.Table()));

    CArray<int32_t> outside = Indices({7, -3, 3, 1});
    SvrDeleteChlInfo(&device.object, outside);  // 7 and -3 are outside; 3 is outside once 3 rows are left
    EXPECT_EQ(Names(device.Table()), (std::vector<std::u16string>{u"M读写WUB000", u"M读写WUB006"}));

    CArray<int32_t> none;
    EXPECT_EQ(SvrDeleteChlInfo(&device.object, none), 1);
    EXPECT_EQ(device.Table().GetRowCount(), 0);
    EXPECT_TRUE(StoredRows(device).empty());
}

TEST(GetCofigProTest, DescribesTheChannelAddressForm) {
    CStringArray registers, paramNames, paramDefaults;
    CArray<int32_t> access;
    CDataTypeArray dataTypes;
    registers.Add(u"stale");
    paramNames.Add(u"stale");
    EXPECT_EQ(SvrGetCofigPro(nullptr, registers, access, dataTypes, paramNames, paramDefaults), 1);
    ASSERT_EQ(registers.GetSize(), 4);
    EXPECT_EQ(registers[0], u"I输入继电器");
    EXPECT_EQ(registers[1], u"Q输出继电器");
    EXPECT_EQ(registers[2], u"M内部继电器");
    EXPECT_EQ(registers[3], u"V数据寄存器");
    EXPECT_EQ(ToVector(access), (std::vector<int32_t>{2, 2, 2, 2}));
    ASSERT_EQ(dataTypes.GetSize(), 4);
    for (int reg = 0; reg < 4; ++reg) {
        const CStringArray* texts = dataTypes.Get(reg);
        ASSERT_NE(texts, nullptr);
        ASSERT_EQ(texts->GetSize(), 20);
        EXPECT_EQ((*texts)[0], u"通道的第00位");
        EXPECT_EQ((*texts)[7], u"通道的第07位");
        EXPECT_EQ((*texts)[8], u"8位 无符号二进制");
        EXPECT_EQ((*texts)[13], u"16位 4位BCD");
        EXPECT_EQ((*texts)[18], u"64位 浮点数");
        EXPECT_EQ((*texts)[19], u"ASCII字符串");
    }
    ASSERT_EQ(paramNames.GetSize(), 1);
    EXPECT_EQ(paramNames[0], u"字符串长度");
    ASSERT_EQ(paramDefaults.GetSize(), 1);
    EXPECT_EQ(paramDefaults[0], u"128");
}

TEST(GetChannelTest, KindsAndIndicesOfCodesOnlyAnImageHolds) {
    // Codes 8 to 79 are no data type of their own; a stored image may still hold them.
    ImageWriter image;
    image.Header(20001, {200, 10, 0, 1, 0, 0}, 0, 6);
    const int codes[] = {8, 9, 19, 20, 79, 131};
    for (int i = 0; i < 6; ++i) image.Row({i == 1 ? 1 : 2, 2, 0, i, 8, codes[i], 0, 0, u"", u"", u""});
    TestDevice device(image.bytes());
    CStringArray names;
    CArray<int32_t> kinds;
    SvrGetChannel(&device.object, names, kinds);
    EXPECT_EQ(ToVector(kinds), (std::vector<int32_t>{1, 1, -1, 1, 1, 3}));  // the second is write only
    CArray<int32_t> indices;
    CArray<SChlInfo> infos;
    ASSERT_EQ(SvrGetChlInfo(&device.object, indices, infos), 6);
    const int typeIndices[] = {-64, -63, -53, -52, 7, 19};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(infos[i].typeIndex, typeIndices[i]) << i;
    EXPECT_EQ(infos[5].address, u"5_8");  // a string outside data blocks: N_L
    EXPECT_EQ(infos[5].chlName, u"M读写STR005_8");
}

namespace {

/// A row's record as one text: "regType typeIndex rwFlag|address|variable|comment".
std::vector<std::string> RecordTexts(const SRowRecords& records) {
    std::vector<std::string> texts;
    size_t at = 0;
    for (const SRowRecord& row : records.rows) {
        std::string text = std::to_string(row.regType) + ' ' + std::to_string(row.typeIndex) + ' ' + std::to_string(row.rwFlag);
        for (uint32_t bytes : {row.addressBytes, row.varNameBytes, row.commentBytes}) {
            text += '|' + records.texts.substr(at, bytes);
            at += bytes;
        }
        texts.push_back(text);
    }
    EXPECT_EQ(at, records.texts.size());
    return texts;
}

/// The same fields of the rows as SvrGetChlInfo describes them in a list of the whole table.
std::vector<std::string> DescribedTexts(const CArray<SChlInfo>& infos) {
    std::vector<std::string> texts;
    for (const SChlInfo& info : infos)
        texts.push_back(std::to_string(info.regType) + ' ' + std::to_string(info.typeIndex) + ' ' + std::to_string(info.rwFlag) + '|' +
                        info.address.ToUtf8() + '|' + info.varName.ToUtf8() + '|' + info.comment.ToUtf8());
    return texts;
}

}  // namespace

TEST(DescribeRowRecordsTest, RecordsAreWhatTheWholeTableIsDescribedWithAndStoreTheSameNames) {
    TestDevice device;
    Clear(device);
    SChlInfo longNames = Describe(3, 11, u"1.0", 5000);
    longNames.varName = CString(u'x', 510);  // cut, with the row's index at its end
    Add(device, longNames);
    SChlInfo dotted = Describe(3, 11, u"1.9999", 1);
    dotted.varName = u"a.b" + std::u16string(597, u'y');  // cut after its characters are replaced
    Add(device, dotted);
    SChlInfo texts = Describe(3, 19, u"1.20000_20", 3);
    texts.varName = u"Motor.Speed[1]";
    texts.comment = u"速度 ￥";
    Add(device, texts);
    SChlInfo bits = Describe(2, 0, u"0", 5000, 1);  // no variable: it is made from the channel name
    bits.comment = u"工位";
    Add(device, bits);
    Add(device, Describe(0, 5, u"7", 2, 0));
    // Texts kept one byte each: ASCII ones, and others below U+0100.
    SChlInfo valve = Describe(3, 11, u"2.0", 1);
    valve.varName = u"Valve.Open[2]";
    valve.comment = u"open, closed";
    Add(device, valve);
    SChlInfo latin = Describe(3, 11, u"2.2", 1);
    latin.varName = u"Ventil.Öffnen";
    latin.comment = u"Größe";
    Add(device, latin);
    // Every stored name is made anew with other read/write texts, as describing makes them.
    auto describe = [&](int parts, const std::function<void(TestDevice&)>& how) {
        SetMaxParallelParts(parts);
        TextTable(kReadWriteTexts).entries = {u"RO", u"WO", u"RW"};
        TestDevice copy;
        Clear(copy);
        copy.Table() = device.Table();
        how(copy);
        ResetBuiltinTexts();
        SetMaxParallelParts(0);
        return Names(copy.Table());
    };
    CArray<SChlInfo> infos;
    const std::vector<std::u16string> describedNames = describe(1, [&](TestDevice& copy) {
        CArray<int32_t> all;
        SvrGetChlInfo(&copy.object, all, infos);
    });
    ASSERT_EQ(infos.GetSize(), 10008);
    for (int parts : {1, 3}) {
        SRowRecords records;
        records.texts = "left from before";
        const std::vector<std::u16string> names = describe(parts, [&](TestDevice& copy) {
            EXPECT_EQ(VireoDescribeRowRecords(&copy.object, 0, 20000, records), 10008);
        });
        EXPECT_EQ(RecordTexts(records), DescribedTexts(infos)) << parts << " parts";
        EXPECT_EQ(names, describedNames) << parts << " parts";
    }
    // I, M, then the first data block's words and strings, then the second's words.
    const std::vector<std::string> all = DescribedTexts(infos);
    EXPECT_EQ(all[10001], "3 11 2|1.9998|" + std::string(494, 'x') + "_10001|");
    EXPECT_EQ(all[10002], "3 11 2|1.9999|a_b" + std::string(491, 'y') + "_10002|");
    EXPECT_EQ(all[10003], "3 19 2|1.20000_20|Motor_Speed_1_|速度 ￥");
    EXPECT_EQ(all[10006], "3 11 2|2.0|Valve_Open_2_|open, closed");
    EXPECT_EQ(all[10007], "3 11 2|2.2|Ventil_Öffnen|Größe");

    // A range is recorded as in the whole list: a cut name ends with the row's index.
    SRowRecords part;
    EXPECT_EQ(VireoDescribeRowRecords(&device.object, 10000, 3, part), 10008);
    EXPECT_EQ(RecordTexts(part), std::vector<std::string>(all.begin() + 10000, all.begin() + 10003));
    EXPECT_EQ(VireoDescribeRowRecords(&device.object, 10003, 100, part), 10008);
    EXPECT_EQ(RecordTexts(part), std::vector<std::string>(all.begin() + 10003, all.end()));
    EXPECT_EQ(VireoDescribeRowRecords(&device.object, 20000, 10, part), 10008);
    EXPECT_TRUE(part.rows.empty() && part.texts.empty());
    EXPECT_THROW(VireoDescribeRowRecords(&device.object, -1, 10, part), CInvalidArgException);
    EXPECT_THROW(VireoDescribeRowRecords(&device.object, 0, -1, part), CInvalidArgException);
}
