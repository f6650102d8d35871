// The tag import of a large plant, end to end: plant_bench [LEAVES...] (default 50000 150000 500000).
//
// For each size it writes a generated plant (300 data blocks and 50,000 tags at 500,000 leaves,
// proportionally fewer below), imports it with `vireo-host import` into a fresh project, three times,
// and reports the best import's wall time, processor time and peak memory (of the vireo-host
// process; the import works on every processor, so its processor time can pass its wall time). The baseline,
// measured in the same run, reads and UTF-8-decodes every input byte and writes the bytes of the
// image the import stored; the ratio is the import's wall time over it. Then, on the stored image,
// in this process: loading the device again (LoadRecord), SvrGetChlInfo of every row, and
// SvrSetChlInfo of a 5000-row block into the middle of the table, each the best of three.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/plant_writer.h"
#include "core/column_registry.h"
#include "core/dev_record.h"
#include "core/exports.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/large_pages.h"
#include "platform/ui_language.h"
#include "bench_timing.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLargestPlant = 500000;
constexpr int kBlocksOfLargest = 300;
constexpr int kTagsOfLargest = 50000;
constexpr int kSetBlockRows = 5000;

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

/// The best wall time of repeats calls.
double BestWall(const std::function<void()>& action, int repeats = 3) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const double start = WallSeconds();
        action();
        best = std::min(best, WallSeconds() - start);
    }
    return best;
}

struct SRun {
    double wall = 0;
    double cpu = 0;
    long peakKb = 0;
    int status = -1;
};

/// Runs a program with its output to /dev/null; wall time, processor time and peak memory.
SRun Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    SRun run;
    const double start = WallSeconds();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return run;
    run.wall = WallSeconds() - start;
    run.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
              static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Reads and decodes every input byte, then writes the image's bytes: the least an import must do.
double Baseline(const SPlantFiles& plant, const std::vector<uint8_t>& image, const fs::path& out) {
    std::vector<fs::path> inputs = plant.blockFiles;
    inputs.push_back(plant.typeFile);
    inputs.push_back(plant.tagFile);
    return BestWall([&] {
        size_t characters = 0;
        std::string bytes;
        for (const fs::path& path : inputs) {
            if (!ReadWholeFile(CString::FromUtf8(path.string()), bytes)) std::exit(1);
            characters += Utf8ToUtf16(bytes).size();
        }
        std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        if (characters == 0) std::exit(1);
    });
}

/// A device as the host keeps it: its archive holding an image, and the device object.
struct Device {
    explicit Device(const std::vector<uint8_t>& image) {
        archive.GetBuffer().SetSize(static_cast<int>(image.size()));
        std::copy(image.begin(), image.end(), archive.GetBuffer().begin());
    }
    ~Device() { SvrExitDevRun(&object); }
    COwnerArchive archive{COwnerArchive::kLoading};
    CDeviceObject object{&archive, nullptr};
};

struct SExportTimes {
    int rows = 0;
    double load = 0, getAll = 0, getAllWall = 0, setBlock = 0;
};

SExportTimes TimeExports(const std::vector<uint8_t>& image, int middleBlock) {
    SExportTimes times;
    std::unique_ptr<Device> device;
    times.load = BestOf([&] { device = std::make_unique<Device>(image); }, [&] { EnsureRecord(&device->object); }, 3);
    times.rows = EnsureRecord(&device->object).chlTable->GetRowCount();
    // The host's lists are made and freed outside the timing: only the export's work counts.
    auto indices = std::make_unique<CArray<int32_t>>();
    auto infos = std::make_unique<CArray<SChlInfo>>();
    auto freshLists = [&] {
        indices = std::make_unique<CArray<int32_t>>();
        infos = std::make_unique<CArray<SChlInfo>>();
    };
    auto getAll = [&] {
        if (SvrGetChlInfo(&device->object, *indices, *infos) != times.rows) std::exit(1);
    };
    times.getAll = BestOf(freshLists, getAll, 3);
    // The rows are described side by side: this thread's processor time is then only its share.
    times.getAllWall = BestWallOf(freshLists, getAll, 3);
    infos.reset();
    // Words past the end of a block in the middle: 5000 rows inserted between two blocks.
    times.setBlock = BestOf([&] { device = std::make_unique<Device>(image); EnsureRecord(&device->object); }, [&] {
        SChlInfo info;
        info.regType = 3;
        info.typeIndex = 11;
        info.address = CString::Formatted(u"%d.%d", middleBlock, 60000);
        info.chlCount = kSetBlockRows;
        info.rwFlag = 2;
        info.varName = u"Added.Word";
        if (SvrSetChlInfo(&device->object, info) == 0) std::exit(1);
    }, 3);
    return times;
}

fs::path HostProgram() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" / "vireo-host";
}

struct ScratchFolder {
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "vireo-plant-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::exit(1);
        path = pattern;
    }
    ~ScratchFolder() { fs::remove_all(path); }
    fs::path path;
};

void Measure(int leaves) {
    ScratchFolder folder;
    SPlantSize size;
    size.leaves = leaves;
    size.blocks = std::max(1, static_cast<int>(int64_t{leaves} * kBlocksOfLargest / kLargestPlant));
    size.tags = static_cast<int>(int64_t{leaves} * kTagsOfLargest / kLargestPlant);
    fs::create_directories(folder.path / "plant");
    const SPlantFiles plant = WritePlant(folder.path / "plant", size);

    const std::string host = HostProgram().string();
    const std::string project = (folder.path / "plant.vproj").string();
    std::vector<std::string> import = {host, "--project", project, "import", "PLANT", "--types", plant.typeFile.string(),
                                       "--tags", plant.tagFile.string()};
    for (const fs::path& block : plant.blockFiles) {
        import.push_back("--db");
        import.push_back(block.string());
    }
    SRun run;
    for (int attempt = 0; attempt < 3; ++attempt) {  // the best of three, each into a fresh project
        fs::remove(project);
        if (Run({host, "--project", project, "device", "add", "PLANT"}).status != 0) std::exit(1);
        const SRun attempted = Run(import);
        if (attempted.status != 0) {
            std::fprintf(stderr, "plant_bench: vireo-host import ended with %d\n", attempted.status);
            std::exit(1);
        }
        if (attempt == 0 || attempted.wall < run.wall) run = attempted;
    }
    const fs::path imageFile = folder.path / "plant.img";
    if (Run({host, "--project", project, "image", "PLANT", "--out", imageFile.string()}).status != 0) std::exit(1);
    const std::vector<uint8_t> image = ReadBytes(imageFile);
    const double baseline = Baseline(plant, image, folder.path / "baseline.img");
    const SExportTimes exports = TimeExports(image, size.blocks / 2 + 1);

    std::printf("%8d %6d %7d %7.1f %7.1f %9.0f %9.0f %6.2f %8.0f %8.0f %7d %8.0f %8.0f %8.0f %8.0f\n", leaves, size.blocks, size.tags,
                static_cast<double>(plant.bytes) / 1e6, static_cast<double>(image.size()) / 1e6, baseline * 1e3,
                run.wall * 1e3, run.wall / baseline, run.cpu * 1e3, static_cast<double>(run.peakKb) / 1024, exports.rows,
                exports.load * 1e3, exports.getAll * 1e3, exports.setBlock * 1e3, exports.getAllWall * 1e3);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    UseLargeMemoryPages(argv);  // as the host runs: the exports are timed in this process
    SetThreadUILanguageOverride(kLangChineseSimplified);
    DefineChannelColumns();
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {50000, 150000, 500000};
    if (!fs::exists(HostProgram())) {
        std::fprintf(stderr, "plant_bench: %s is missing: build vireo-host first\n", HostProgram().c_str());
        return 1;
    }
    std::printf("tag import of a generated plant with vireo-host import; times in ms, memory in MB\n");
    std::printf("%8s %6s %7s %7s %7s %9s %9s %6s %8s %8s %7s %8s %8s %8s %8s\n", "leaves", "blocks", "tags", "in MB", "img MB",
                "baseline", "import", "ratio", "cpu", "peak MB", "rows", "load", "get all", "set 5000", "all wall");
    for (int leaves : sizes) Measure(leaves);
    std::printf("\nbaseline: read and UTF-8-decode every input byte, write the stored image's bytes (best of 3, wall)\n"
                "import: wall time of `vireo-host import` into a fresh project (best of 3); ratio = import / baseline;\n"
                "cpu and peak MB are that process's processor time (on all processors) and peak resident memory\n"
                "load, get all, set 5000: LoadRecord of the stored image, SvrGetChlInfo of every row, SvrSetChlInfo\n"
                "of 5000 words into the middle of the table (best of 3, processor time of the calling thread);\n"
                "all wall: get all on a steady clock (best of 3), as the parts that describe rows side by side count\n");
    return 0;
}
