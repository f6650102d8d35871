// The tag import of a generated plant taken apart into its steps, each timed in this process:
//   import_steps_bench [LEAVES] (default 500000; blocks and tags in the plant_bench proportions)
//
// Steps, in the order the import takes them: parse the sources (data types, tag table, data
// blocks), lay out the records into leaves (which the import then takes over), build the channel
// rows of every leaf (straight from its cells, as BuildRows would from its description) and merge them into
// the device's table (AddChannelsFromMembers), store the record as an image (SaveRecord), and write the image into a fresh
// project (SQLite). Then the device's later life: load the image again (LoadRecord), describe every
// row (SvrGetChlInfo's work). Each figure is the best of three in wall time (the layout and the
// rows run on several processors at once), and is given as a ratio to the baseline: reading and
// UTF-8-decoding every input byte.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/plant_writer.h"
#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/dev_record.h"
#include "core/device_properties.h"
#include "host/project/project_store.h"
#include "import/channels_from_tags.h"
#include "import/db_file_info_derivation.h"
#include "types/import_result_codes.h"
#include "import/single_row_merge.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/large_pages.h"
#include "platform/ui_language.h"
#include "types/data_analysis.h"
#include "bench_timing.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRepeats = 3;

CString Wide(const fs::path& path) { return CString::FromUtf8(path.string()); }

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "import_steps_bench: %s\n", what);
    std::exit(1);
}

struct ScratchFolder {
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "vireo-steps-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) Fail("no scratch folder");
        path = pattern;
    }
    ~ScratchFolder() { fs::remove_all(path); }
    fs::path path;
};

/// The blocks of the plant as the import dialog hands them over: named by their titles.
DbFileMap BlocksOf(const SPlantFiles& plant) {
    DbFileMap chosen, blocks;
    std::vector<CString> paths;
    for (const fs::path& path : plant.blockFiles) paths.push_back(Wide(path));
    if (AddDbFiles(chosen, paths) < 0 || CheckBlockNames(chosen, true, blocks) != kBlockNamesValid) Fail("block names");
    return blocks;
}

/// A new device's record: its default properties and channels.
std::unique_ptr<SDevRecord> NewRecord() {
    COwnerArchive archive(COwnerArchive::kStoring);
    CDeviceObject device{&archive, nullptr};
    SDevRecord& made = EnsureRecord(&device);
    std::unique_ptr<SDevRecord> record(&made);
    device.record = nullptr;
    return record;
}

/// Bytes of the heap in use now, in MB.
double HeapInUseMb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

struct SStep {
    const char* name;
    double wall;
    double heapMb = HeapInUseMb();  ///< the heap in use once the step is done, its result kept
};

void Print(const std::vector<SStep>& steps, double baseline, size_t importSteps) {
    double importWall = 0;
    for (size_t i = 0; i < importSteps; ++i) importWall += steps[i].wall;
    std::printf("%-36s %9s %7s %7s %8s\n", "step", "wall ms", "share", "ratio", "heap MB");
    for (size_t i = 0; i < steps.size(); ++i) {
        if (i == importSteps) {
            std::printf("%-36s %9.0f %6.0f%% %7.2f\n", "= the import's steps together", importWall * 1e3, 100.0, importWall / baseline);
            std::printf("after the import:\n");
        }
        const SStep& step = steps[i];
        const double share = i < importSteps ? step.wall / importWall * 100 : 0;
        std::printf("%-36s %9.0f %6.0f%% %7.2f %8.0f\n", step.name, step.wall * 1e3, share, step.wall / baseline, step.heapMb);
    }
    std::printf("%-36s %9.0f %7s %7.2f\n", "baseline: read and decode the inputs", baseline * 1e3, "", 1.0);
}

}  // namespace

int main(int argc, char** argv) {
    UseLargeMemoryPages(argv);  // as the host runs: the exports are timed in this process
    SetThreadUILanguageOverride(kLangChineseSimplified);
    DefineChannelColumns();
    SPlantSize size;
    if (argc > 1) size.leaves = std::atoi(argv[1]);
    if (size.leaves < 1000) Fail("usage: import_steps_bench [LEAVES >= 1000]");
    size.blocks = std::max(1, static_cast<int>(int64_t{size.leaves} * 300 / 500000));
    size.tags = static_cast<int>(int64_t{size.leaves} * 50000 / 500000);
    ScratchFolder folder;
    const SPlantFiles plant = WritePlant(folder.path, size);
    const DbFileMap blocks = BlocksOf(plant);
    std::vector<fs::path> inputs = plant.blockFiles;
    inputs.push_back(plant.typeFile);
    inputs.push_back(plant.tagFile);

    const double baseline = BestWallOf([&] {
        std::string bytes;
        size_t characters = 0;
        for (const fs::path& path : inputs) {
            if (!ReadWholeFile(Wide(path), bytes)) Fail("cannot read the plant");
            characters += Utf8ToUtf16(bytes).size();
        }
        if (characters == 0) Fail("empty plant");
    }, kRepeats);

    std::vector<SStep> steps;
    DataAnalysis analysis(Wide(folder.path / "DataType.xml"));
    steps.push_back({"parse the sources", BestWallOf([&] {
        analysis.Library()->ParsedStructs().clear();
        analysis.Library()->TopLevelRecords().clear();
        analysis.Reset();
    }, [&] {
        StructureList completed;
        if (analysis.LoadFiles({Wide(plant.typeFile)}, completed, kLoadSourceFiles) != 1 ||
            analysis.LoadFiles({Wide(plant.tagFile)}, completed, kLoadTagTables) != 1 ||
            analysis.LoadBlocks(blocks, completed, kLoadDbFiles) != 1)
            Fail("parse");
    }, kRepeats)});
    steps.push_back({"lay out (Flatten)", BestWallOf([&] { analysis.Reset(); }, [&] {
        if (analysis.Flatten() != 1) Fail("layout");
    }, kRepeats)});
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
    analysis.MoveResults(leaves, unknown);
    analysis.Reset();
    if (leaves.size() != static_cast<size_t>(plant.blockLeaves + plant.tags) || !unknown.empty()) Fail("leaf count");

    std::unique_ptr<SDevRecord> record;
    std::vector<SFlatMember> given;
    steps.push_back({"build the rows, merge them in", BestWallOf([&] {
        record = NewRecord();
        given = leaves;
    }, [&] { AddChannelsFromMembers(std::move(given), record->chlTable.get()); }, kRepeats)});
    leaves = std::vector<SFlatMember>();
    const size_t rowCount = record->chlTable->Rows().size();

    COwnerArchive archive(COwnerArchive::kStoring);
    steps.push_back({"store the image (SaveRecord)", BestWallOf([&] { SaveRecord(*record, archive); }, kRepeats)});
    const ImageBytes image(archive.GetBuffer().begin(), archive.GetBuffer().begin() + archive.GetPosition());
    const double sqlite = BestWallOf([&] {
        fs::remove(folder.path / "plant.vproj");
        ProjectStore store((folder.path / "plant.vproj").string(), true);
        store.AddDevice("PLANT", {});
        store.Commit();
    }, [&] {
        ProjectStore store((folder.path / "plant.vproj").string(), false);
        store.SaveImage("PLANT", image);
        store.Commit();
    }, kRepeats);
    steps.push_back({"write the image (SQLite)", sqlite});
    record.reset();
    const size_t importSteps = steps.size();

    std::unique_ptr<SDevRecord> loaded;
    steps.push_back({"load the image (LoadRecord)", BestWallOf([&] {
        loaded = std::make_unique<SDevRecord>();
        loaded->chlTable = std::make_unique<CDevTable>();
        archive.Rewind();
        archive.SetMode(COwnerArchive::kLoading);
    }, [&] { LoadRecord(*loaded, archive); }, kRepeats)});
    if (static_cast<size_t>(loaded->chlTable->GetRowCount()) != rowCount) Fail("the loaded table differs");
    steps.push_back({"describe every row (get all)", BestWallOf([&] {
        SChlInfo info;
        CDevTable& table = *loaded->chlTable;
        for (int i = 0; i < table.GetRowCount(); ++i) DescribeRow(table.EditRow(i), i, i, info);
    }, kRepeats)});

    std::printf("the import of a generated plant step by step: %d block leaves in %d blocks, %d tags, %d rows, %.1f MB image\n",
                plant.blockLeaves, size.blocks, plant.tags, static_cast<int>(rowCount), static_cast<double>(image.size()) / 1e6);
    Print(steps, baseline, importSteps);
    std::printf("\nwall: best of %d; share: of the import's steps; ratio: to the baseline; heap MB: the heap in\n"
                "use after the step, holding what the steps so far kept\n", kRepeats);
    return 0;
}
