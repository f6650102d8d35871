// The channel builder's fast text forms equal the slow rules they replace: variable names as every
// text replaced in turn, channel names and addresses as printf writes their numbers; and building
// from a description given up equals building from a copy.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "core/read_write_text_numbers.h"
#include "core/text_tables.h"

namespace {

/// The variable name rule as written: each text replaced by "_" in turn, over the whole name.
CString SanitizedOneByOne(CString name) {
    static const char16_t* const kReplaced[] = {
        u".", u":", u"[", u"]", u"(", u")", u"__", u"`", u"~", u"!", u"@", u"#", u"$", u"%", u"^", u"&", u"*", u"-",
        u"=", u"+", u"\\", u"|", u"}", u"{", u"'", u"\"", u";", u"/", u"?", u">", u",", u"<", u"\r", u"\t", u" ", u"\uFFE5",
    };
    for (const char16_t* text : kReplaced) name.Replace(text, u"_");
    return name;
}

}  // namespace

TEST(ChannelTextFormsTest, VariableNamesEqualReplacingEveryTextInTurn) {
    const std::u16string alphabet = u"aZ9_.:[]()`~!@#$%^&*-=+\\|}{'\";/?>,<\r\t \uFFE5读";
    std::mt19937 random(5);
    for (int i = 0; i < 3000; ++i) {
        std::u16string name(random() % 12, u' ');
        for (char16_t& ch : name) ch = alphabet[random() % alphabet.size()];
        ASSERT_EQ(SanitizeVarName(CString(name)), SanitizedOneByOne(CString(name))) << CString(name).ToUtf8();
    }
    EXPECT_EQ(SanitizeVarName(u"Motor.Speed[1]"), u"Motor_Speed_1_");
    EXPECT_EQ(SanitizeVarName(u"a.:b"), u"a_b");    // ".:" gives "__", which becomes "_"
    EXPECT_EQ(SanitizeVarName(u"a-_b"), u"a__b");   // a "__" made after that pass stays
}


TEST(ChannelTextFormsTest, ChannelNamesAndAddressesWriteNumbersAsPrintfDoes) {
    const CString rw = Text(kReadWriteTexts, 2);
    for (const int number : {0, 7, 42, 999, 1000, -5, -1234, INT_MAX, INT_MIN}) {
        CDevRow row;
        row.SetInt(kColRegType, 3);
        row.SetInt(kColBlock, number);
        row.SetInt(kColAddress, number);
        row.SetInt(kColTypeCode, 5);
        row.SetInt(kColRwFlag, 2);
        MakeChannelName(row);
        EXPECT_EQ(row.GetText(kColChannelName), CString::Formatted(u"DB%.1d:", number) + rw + CString::Formatted(u"%.3d.5", number));
        row.SetInt(kColTypeCode, 131);
        row.SetInt(kColBit, number);
        MakeChannelName(row);
        EXPECT_EQ(row.GetText(kColChannelName),
                  CString::Formatted(u"DB%.1d:", number) + rw + CString::Formatted(u"STR%.3d_%d", number, number));

        SChlInfo info;
        DescribeRow(row, 0, 0, info);
        EXPECT_EQ(info.address, CString::Formatted(u"%d.%d_%d", number, number, number));
        row.SetInt(kColRegType, 2);
        row.SetInt(kColTypeCode, 83);
        DescribeRow(row, 0, 0, info);
        EXPECT_EQ(info.address, CString::Formatted(u"%d", number));
    }
}


namespace {

/// count read/write words of data block 7 from byte 10 on.
SChlInfo WordsOfBlock7(int count) {
    SChlInfo words;
    words.regType = 3;
    words.typeIndex = 11;
    words.address = u"7.10";
    words.chlCount = count;
    words.rwFlag = 2;
    return words;
}

}  // namespace

TEST(ChannelTextFormsTest, BuildingFromAGivenUpDescriptionGivesTheSameRows) {
    SChlInfo words = WordsOfBlock7(3);
    words.varName = u"Line 7.\"Station 1\".Speed";
    words.comment = u"工位 1";
    SChlInfo text = words;
    text.typeIndex = 19;
    text.address = u"7.40_30";
    text.chlCount = 1;
    SChlInfo badType = words;
    badType.typeIndex = 99;
    for (const SChlInfo& description : {words, text, badType}) {
        SChlInfo copied = description, given = description;
        std::vector<CDevRow> fromCopy, fromGiven(2);  // the given list's rows stay before the new ones
        const int copiedResult = BuildRows(copied, fromCopy);
        EXPECT_EQ(BuildRows(std::move(given), fromGiven), copiedResult);
        ASSERT_EQ(fromGiven.size(), fromCopy.size() + 2);
        COwnerArchive a(COwnerArchive::kStoring), b(COwnerArchive::kStoring);
        for (CDevRow& row : fromCopy) row.Serialize(a);
        for (size_t i = 2; i < fromGiven.size(); ++i) fromGiven[i].Serialize(b);
        EXPECT_EQ(std::vector<uint8_t>(a.GetBuffer().begin(), a.GetBuffer().begin() + a.GetPosition()),
                  std::vector<uint8_t>(b.GetBuffer().begin(), b.GetBuffer().begin() + b.GetPosition()));
    }
}

namespace {

/// The channel name cell as an image stores it.
std::u16string StoredChannelName(CDevRow& row) {
    COwnerArchive stored(COwnerArchive::kStoring);
    row.Serialize(stored);
    COwnerArchive loading(COwnerArchive::kLoading);
    loading.GetBuffer().SetSize(stored.GetPosition());
    std::copy(stored.GetBuffer().GetData(), stored.GetBuffer().GetData() + stored.GetPosition(), loading.GetBuffer().begin());
    CDevRow loaded;
    loaded.Serialize(loading);
    return std::u16string(loaded.GetText(kColChannelName).view());
}

}  // namespace

TEST(ChannelTextFormsTest, AFormedChannelNameKeepsTheTextsAndCellsItWasBuiltWith) {
    std::vector<CDevRow> rows;
    ASSERT_EQ(BuildRows(WordsOfBlock7(1), rows), 1);
    CDevRow& row = rows[0];
    const std::u16string built(row.GetText(kColChannelName).view());
    ASSERT_NE(row.ChannelNameFormedWith(), 0);

    // Another read/write text: the image still holds the name as built, until the row is described.
    CString& rwText = TextTable(kReadWriteTexts).entries[2];
    const CString saved = rwText;
    rwText = u"xy";
    EXPECT_EQ(StoredChannelName(row), built);
    SChlInfo described;
    DescribeRow(row, 0, 0, described);
    EXPECT_NE(described.chlName.view(), built);
    EXPECT_EQ(StoredChannelName(row), described.chlName.view());
    EXPECT_EQ(row.ChannelNameFormedWith(), ReadWriteTextNumber(u"xy"));
    rwText = saved;

    // A cell the name is formed from changes: the name stays as it was, as a stored one does.
    const std::u16string before = StoredChannelName(row);
    row.SetInt(kColAddress, 500);
    EXPECT_EQ(row.ChannelNameFormedWith(), 0);
    EXPECT_EQ(StoredChannelName(row), before);
    CDevRow copy = rows[0];
    EXPECT_EQ(std::u16string(copy.GetText(kColChannelName).view()), before);
}
