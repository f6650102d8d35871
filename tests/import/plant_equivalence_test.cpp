// A generated plant imported with the batched merge gives the channel table that merging every
// description's rows on its own gives, and an import made in parts the one made in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/plant_writer.h"
#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "import/channels_from_tags.h"
#include "import/db_file_info_derivation.h"
#include "types/import_result_codes.h"
#include "import_test_support.h"
#include "platform/parallel.h"

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

/// The 64-bit FNV-1a digest of bytes, as hexadecimal digits.
std::string DigestOf(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
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
    // Large enough for the layout and the rows to be made in parts, and in one part for the rows to
    // be made in rounds from the last leaves to the first; the batched merge in one round is
    // checked against merging row by row above.
    TempFolder folder;
    const SPlantFiles plant = WritePlant(PathOf(folder), {44000, 20, 4000, 5});
    auto import = [&](int parts) {
        SetMaxParallelParts(parts);
        std::vector<SFlatMember> leaves = LaidOutPlant(folder, plant);
        // Every leaf met three times more, then leaves of the first part again, changed: later
        // leaves replace the channels of earlier ones across the rounds the rows are built in.
        const size_t first = leaves.size();
        for (int copy = 0; copy < 3; ++copy)
            for (size_t i = 0; i < first; ++i) leaves.push_back(leaves[i]);
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

TEST(PlantEquivalenceTest, APlantsImageStaysByteForByteWhatItWas) {
    // The digest of the image this plant has always given: a change to how the table keeps its
    // rows must not change one stored byte (the table with its earlier channels, then the plant).
    TempFolder folder;
    const SPlantFiles plant = WritePlant(PathOf(folder), {30000, 12, 3000, 11});
    CDevTable table = TableWithChannels();
    AddChannelsFromMembers(LaidOutPlant(folder, plant), &table);
    const std::vector<uint8_t> image = StoredBytes(table);
    EXPECT_EQ(table.GetRowCount(), 31148);
    EXPECT_EQ(image.size(), 3016270u);
    EXPECT_EQ(DigestOf(image), "708b2988b3127fcd");
}
