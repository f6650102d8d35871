// How the layout's work grows with the number of leaves. A data block holds an array of rows; each
// row an array of 20 cells; each cell an array of 10 Ints (arrays of structures of arrays). At
// 25,000, 50,000, 100,000 and 200,000 leaves it times one layout (Reset and Flatten) and, as the
// baseline, merely copying the same number of laid-out leaf records. A ratio that stays level from
// the smallest size to the largest means the layout grows no faster than linearly with the leaves.
// Times are the processor time of this thread, the best of several runs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "types/data_analysis.h"
#include "bench_timing.h"

namespace {

constexpr int kRepeats = 5;
constexpr int kLeavesPerRow = 20 * 10;
const int kSizes[] = {25000, 50000, 100000, 200000};


SMemberInfo ArrayMember(const char16_t* name, const char16_t* type, int count) {
    SMemberInfo member;
    member.Name = name;
    member.Type = type;
    member.Dims = {{0, count - 1}};
    return member;
}

SStructInfo Named(const char16_t* name) {
    SStructInfo header;
    header.Name = name;
    return header;
}

/// A private folder for the type library's DataType.xml, so that the benchmark touches no user's file.
struct ScratchFolder {
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vireo-layout-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::exit(1);
        path = pattern;
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

}  // namespace

int main() {
    ScratchFolder folder;
    DataAnalysis analysis(CString::FromUtf8((folder.path / "DataType.xml").string()));
    Fileparstest& library = *analysis.Library();
    library.ParsedStructs()[Named(u"Cell")] = {ArrayMember(u"Data", u"Int", 10)};
    library.ParsedStructs()[Named(u"Row")] = {ArrayMember(u"Cells", u"Cell", 20)};
    SFlatMember block;
    block.Name = block.Block = u"DB1";
    block.Type = u"DB1";
    library.TopLevelRecords() = {block};

    std::printf("%10s %12s %12s %8s\n", "leaves", "layout ms", "copy ms", "ratio");
    for (int leaves : kSizes) {
        library.ParsedStructs()[Named(u"DB1")] = {ArrayMember(u"Rows", u"Row", leaves / kLeavesPerRow)};
        const double layout = BestOf([&] {
            analysis.Reset();
            if (analysis.Flatten() != 1) std::exit(1);
        });
        std::vector<SFlatMember> placed;
        std::vector<CString> unknown;
        analysis.TakeResults(placed, unknown);
        if (static_cast<int>(placed.size()) != leaves || !unknown.empty()) std::exit(1);
        // Both sides fill new storage: Reset gives the layout's memory back, and the layout reserves
        // room for all its leaves at once, as the copy does.
        std::vector<SFlatMember> copied;
        const double copy = BestOf([&] { std::vector<SFlatMember>().swap(copied); }, [&] { copied = placed; });
        std::printf("%10d %12.2f %12.2f %8.2f\n", leaves, layout * 1e3, copy * 1e3, layout / copy);
    }
    return 0;
}
