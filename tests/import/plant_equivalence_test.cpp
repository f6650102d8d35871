// A generated plant imported with the batched merge gives the channel table that merging every
// description's rows on its own gives; and the fast text forms of the channel exports equal the
// slow ones they replace.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "bench/plant_writer.h"
#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "core/text_tables.h"
#include "import/channels_from_tags.h"
#include "import/db_file_info_derivation.h"
#include "types/import_result_codes.h"
#include "import_test_support.h"
#include "platform/code_page.h"
#include "platform/parallel.h"
#include "types/elementary_types.h"
#include "types/member_layout.h"

namespace {

CString Wide(const std::filesystem::path& path) { return CString::FromUtf8(path.string()); }

std::filesystem::path PathOf(const TempFolder& folder) { return std::filesystem::path(folder.File("x").ToUtf8()).parent_path(); }

/// Parses and lays out a plant as the tag import does, blocks named by their titles.
std::vector<SFlatMember> LaidOutPlant(const TempFolder& folder, const SPlantFiles& plant) {
    DataAnalysis analysis(folder.File("DataType.xml"));
    StructureList completed;
    EXPECT_EQ(analysis.LoadFiles({Wide(plant.typeFile)}, completed, kLoadSourceFiles), 1);
    DbFileMap chosen, blocks;
    std::vector<CString> paths;
    for (const auto& path : plant.blockFiles) paths.push_back(Wide(path));
    EXPECT_GE(AddDbFiles(chosen, paths), 0);
    EXPECT_EQ(CheckBlockNames(chosen, true, blocks), kBlockNamesValid);
    analysis.Reset();
    EXPECT_EQ(analysis.LoadFiles({Wide(plant.tagFile)}, completed, kLoadTagTables), 1);
    EXPECT_EQ(analysis.LoadBlocks(blocks, completed, kLoadDbFiles), 1);
    EXPECT_EQ(analysis.Flatten(), 1);
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
    analysis.TakeResults(leaves, unknown);
    EXPECT_TRUE(unknown.empty());
    return leaves;
}

/// A table that already holds channels the import replaces: the default bits of input byte 0 (the
/// tag table's first inputs) and 60 words at the start of data block 2 (its first members); and
/// channels it keeps, between and after the new ones: memory words far past the tags' and the
/// words of a data block the plant does not have.
CDevTable TableWithChannels() {
    CDevTable table;
    SChlInfo bits;
    bits.regType = 0;
    bits.typeIndex = 0;
    bits.address = u"0";
    bits.chlCount = 8;
    bits.rwFlag = 2;
    SChlInfo words;
    words.regType = 3;
    words.typeIndex = 11;
    words.address = u"2.0";
    words.chlCount = 60;
    words.rwFlag = 0;
    words.comment = u"old";
    SChlInfo memoryWords = words;
    memoryWords.regType = 2;
    memoryWords.address = u"50000";
    memoryWords.chlCount = 5;
    SChlInfo otherBlock = words;
    otherBlock.address = u"9999.0";
    otherBlock.chlCount = 5;
    for (SChlInfo* info : {&bits, &words, &memoryWords, &otherBlock}) {
        std::vector<CDevRow> rows;
        EXPECT_EQ(BuildRows(*info, rows), 1);
        table.MergeRows(std::move(rows), true);
    }
    return table;
}

std::vector<uint8_t> StoredBytes(CDevTable& table) {
    COwnerArchive archive(COwnerArchive::kStoring);
    archive.Store(table);
    const CByteArray& buffer = archive.GetBuffer();
    return std::vector<uint8_t>(buffer.begin(), buffer.begin() + archive.GetPosition());
}

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

TEST(PlantEquivalenceTest, BatchedImportEqualsMergingEveryDescriptionOnItsOwn) {
    TempFolder folder;
    const SPlantFiles plant = WritePlant(PathOf(folder), {6000, 6, 1500, 7});
    std::vector<SFlatMember> leaves = LaidOutPlant(folder, plant);
    ASSERT_EQ(leaves.size(), 6000u + 1500u);  // the generator's count is the layout's
    // Leaves met again later replace the channels of the first ones.
    const size_t first = leaves.size();
    for (size_t i = 0; i < first; i += 97) {
        leaves.push_back(leaves[i]);
        leaves.back().Mark = u"again";
    }

    CDevTable batched = TableWithChannels();
    CDevTable oneByOne = TableWithChannels();
    AddChannelsFromMembers(leaves, &batched, ChannelMerge::kBatched);
    AddChannelsFromMembers(leaves, &oneByOne, ChannelMerge::kRowByRow);

    EXPECT_GT(batched.GetRowCount(), 7000);
    EXPECT_TRUE(batched.IsSorted());
    EXPECT_EQ(StoredBytes(batched), StoredBytes(oneByOne));
    int replacedAgain = 0, kept = 0;
    for (const CDevRow& row : batched.Rows()) {
        replacedAgain += row.GetText(kColComment) == u"again";
        kept += row.GetText(kColComment) == u"old";
    }
    EXPECT_GT(replacedAgain, 50);
    EXPECT_GE(kept, 10);  // the memory words and the other block's words at least
    EXPECT_EQ(batched.Rows().back().GetInt(kColBlock), 9999);
}

TEST(PlantEquivalenceTest, ALargeImportMadeInPartsEqualsTheImportInOrder) {
    // Large enough for the layout and the rows to be made in parts; the batched merge in one part
    // is checked against merging row by row above.
    TempFolder folder;
    const SPlantFiles plant = WritePlant(PathOf(folder), {44000, 20, 4000, 5});
    auto import = [&](int parts) {
        SetMaxParallelParts(parts);
        std::vector<SFlatMember> leaves = LaidOutPlant(folder, plant);
        // Leaves of the first part met again in the last replace the channels of the first ones.
        const size_t first = leaves.size();
        for (size_t i = 0; i < first / 2; i += 97) {
            leaves.push_back(leaves[i]);
            leaves.back().Mark = u"again";
        }
        CDevTable table = TableWithChannels();
        AddChannelsFromMembers(std::move(leaves), &table);
        SetMaxParallelParts(0);
        return StoredBytes(table);
    };
    const std::vector<uint8_t> inOrder = import(1);
    EXPECT_GT(inOrder.size(), 48000u * 40);
    const std::string again = "again";
    EXPECT_NE(std::search(inOrder.begin(), inOrder.end(), again.begin(), again.end()), inOrder.end());
    EXPECT_EQ(import(4), inOrder);
}

TEST(PlantEquivalenceTest, TheSamePlantIsWrittenForTheSameSeedOnly) {
    TempFolder one, two, three;
    const SPlantSize size{900, 3, 40, 11};
    const SPlantFiles a = WritePlant(PathOf(one), size);
    const SPlantFiles b = WritePlant(PathOf(two), size);
    const SPlantFiles c = WritePlant(PathOf(three), {900, 3, 40, 12});
    ASSERT_EQ(a.blockFiles.size(), 3u);
    EXPECT_EQ(a.blockFiles[2].filename(), "DB3_Line003.db");
    EXPECT_EQ(ReadBytes(a.blockFiles[1].string()), ReadBytes(b.blockFiles[1].string()));
    EXPECT_EQ(ReadBytes(a.tagFile.string()), ReadBytes(b.tagFile.string()));
    EXPECT_NE(ReadBytes(a.blockFiles[1].string()), ReadBytes(c.blockFiles[1].string()));
    EXPECT_THROW(WritePlant(PathOf(one), {5, 3, 0, 1}), std::invalid_argument);
}

TEST(PlantEquivalenceTest, VariableNamesEqualReplacingEveryTextInTurn) {
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

TEST(PlantEquivalenceTest, ChannelNamesAndAddressesWriteNumbersAsPrintfDoes) {
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

TEST(PlantEquivalenceTest, ImageTextsAreStoredAndReadAsTheCodePageConversionGivesThem) {
    const CString texts[] = {u"", u"Motor_1", CString(u'x', 256), CString(u'y', 257), u"工位 19", u"Ventil ¥ 3", u"a\u00e9b"};
    COwnerArchive archive(COwnerArchive::kStoring);
    archive.SetMode(COwnerArchive::kStoring);  // a new image: the format version first
    for (const CString& text : texts) archive << text;
    std::string expected = "\x21\x4E";
    for (const CString& text : texts) {
        const std::string bytes = WideCharToMultiByte(CP_ACP, text.view());
        const int32_t count = static_cast<int32_t>(bytes.size());
        expected.append(reinterpret_cast<const char*>(&count), 4);
        expected += bytes;
    }
    ASSERT_EQ(archive.GetPosition(), static_cast<int>(expected.size()));
    EXPECT_EQ(std::string(archive.GetBuffer().begin(), archive.GetBuffer().begin() + archive.GetPosition()), expected);

    // A stored text ends at its first zero byte; an empty one leaves the target as it was.
    const char withZero[] = {5, 0, 0, 0, 'a', 'b', 0, 'c', 'd', 2, 0, 0, 0, 'o', 'k'};
    expected.append(withZero, sizeof withZero);
    COwnerArchive loading(COwnerArchive::kLoading);
    loading.GetBuffer().SetSize(static_cast<int>(expected.size()));
    std::copy(expected.begin(), expected.end(), loading.GetBuffer().begin());
    loading.SetMode(COwnerArchive::kLoading);
    for (const CString& text : texts) {
        CString read = u"before";
        loading >> read;
        EXPECT_EQ(read, text.IsEmpty() ? CString(u"before") : CString(MultiByteToWideChar(CP_ACP, WideCharToMultiByte(CP_ACP, text.view()))));
    }
    CString cut, next;
    loading >> cut >> next;
    EXPECT_EQ(cut, u"ab");
    EXPECT_EQ(next, u"ok");
}

TEST(PlantEquivalenceTest, BuildingFromAGivenUpDescriptionGivesTheSameRows) {
    SChlInfo words;
    words.regType = 3;
    words.typeIndex = 11;
    words.address = u"7.10";
    words.chlCount = 3;
    words.rwFlag = 2;
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

TEST(PlantEquivalenceTest, TheLeafCountReservedIsTheLayoutsCountAndStaysWithinTheLimit) {
    auto member = [](const char16_t* name, const char16_t* type, std::vector<SArrayDim> dims = {}) {
        SMemberInfo info;
        info.Name = name;
        info.Type = type;
        info.Dims = std::move(dims);
        return info;
    };
    auto header = [](const char16_t* name) {
        SStructInfo info;
        info.Name = name;
        return info;
    };
    StructMap structures;
    structures[header(u"Cell")] = {member(u"Values", u"Int", {{0, 9}}), member(u"Flag", u"Bool"), member(u"Odd", u"Nothing")};
    structures[header(u"Row")] = {member(u"Cells", u"Cell", {{1, 4}, {1, 5}}), member(u"Empty", u"Cell", {{3, 2}})};
    structures[header(u"Loop")] = {member(u"Self", u"Loop"), member(u"X", u"Int")};
    std::vector<SFlatMember> records(5);
    records[0].Type = u"Row";
    records[0].Dims = {{0, 6}};
    records[1].Type = u"Loop";
    records[2].Type = u"Real";
    records[3].Type = u"Unknown";
    records[4].Type = u"Int";
    records[4].Dims = {{0, 2000000000}, {-5, 5}};
    for (size_t i = 0; i < records.size(); ++i) records[i].Name = CString::FromUtf8("R" + std::to_string(i));

    const std::vector<STypeSize> elementary = BuildElementaryTypes();
    SLayoutFlags flags;
    std::vector<SFlatMember> placed;
    std::vector<CString> unknown;
    MemberLayout layout(structures, elementary, flags, placed, unknown, 100000);
    for (size_t i = 0; i < 4; ++i) {
        const size_t before = placed.size();
        const int64_t counted = layout.CountLeaves(records[i]);
        EXPECT_TRUE(layout.PlaceRecord(records[i]));
        EXPECT_EQ(counted, static_cast<int64_t>(placed.size() - before)) << i;
    }
    EXPECT_EQ(layout.CountLeaves(records[0]), 7 * 20 * 11);
    EXPECT_EQ(layout.CountLeaves(records[4]), 100000);  // far more elements than the limit allows
}
