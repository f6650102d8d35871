// The benchmark's plant writer, which the import equivalence tests use as their input: the same
// plant for the same seed, another for another seed, a size it cannot write refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "bench/plant_writer.h"
#include "temp_folder.h"

namespace {

std::filesystem::path PathOf(const TempFolder& folder) { return std::filesystem::path(folder.File("x").ToUtf8()).parent_path(); }

}  // namespace

TEST(PlantWriterTest, TheSamePlantIsWrittenForTheSameSeedOnly) {
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
