// How fast a tag import reads its sources. A generated plant: a data type source, 100 data block
// sources holding 100,000 leaves in all (nested structures, arrays, strings with start values,
// comments) and a tag table of 20,000 tags. It times parsing and laying out everything, and, as
// the baseline, reading and UTF-8-decoding the same files. It also times turning the 120,000 leaves
// into channels of an empty table. Times are the processor time of this thread, best of several.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/column_registry.h"
#include "core/dev_table.h"
#include "import/channels_from_tags.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "types/data_analysis.h"
#include "bench_timing.h"

namespace {

constexpr int kRepeats = 5;
constexpr int kBlocks = 100;
constexpr int kStationsPerBlock = 50;
constexpr int kLeavesPerStation = 20;
constexpr int kTags = 20000;


void Write(const std::filesystem::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

const char* const kMotorType =
    "\xEF\xBB\xBFTYPE \"MotorData\"\r\nVERSION : 0.1\r\n   STRUCT\r\n      Running : Bool;   // contactor closed\r\n"
    "      Fault : Bool;\r\n      Speed : Real;   // rpm\r\n      Hours { ExternalWritable := 'False'} : DInt;\r\n"
    "   END_STRUCT;\r\n\r\nEND_TYPE\r\n";

/// One block of kStationsPerBlock stations of kLeavesPerStation leaves each.
std::string Block(int number) {
    std::string text = "\xEF\xBB\xBF" "DATA_BLOCK \"Line " + std::to_string(number) +
                       "\"\r\n{ S7_Optimized_Access := 'FALSE' }\r\nVERSION : 0.1\r\nNON_RETAIN\r\n   STRUCT \r\n";
    for (int s = 0; s < kStationsPerBlock; ++s) {
        text += "      \"Station " + std::to_string(s) + "\" : Struct   // station on the line\r\n"
                "         Motor { S7_SetPoint := 'False'} : \"MotorData\";\r\n"
                "         Speed : Real := 1.5;   // belt speed in m/s\r\n"
                "         Flags : Array[0..7] of Bool;   // sensor flags\r\n"
                "         Name : String[20] := 'st;1';   // shown on the panel\r\n"
                "         Counts : Array[1..2, 1..3] of Int;\r\n"
                "      END_STRUCT;\r\n";
    }
    return text + "   END_STRUCT;\r\n\r\n\r\nBEGIN\r\n   \"Station 0\".Speed := 2.0;\r\n\r\nEND_DATA_BLOCK\r\n";
}

std::string TagTable() {
    std::string text = "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\n<Tagtable name='Plant'>\n";
    for (int i = 0; i < kTags; ++i) {
        const std::string address = i % 2 ? "%I" + std::to_string(i / 16) + "." + std::to_string(i % 8) : "%MW" + std::to_string(2 * i);
        text += "  <Tag type='" + std::string(i % 2 ? "Bool" : "Int") + "' hmiVisible='True' hmiWriteable='True' hmiAccessible='True' "
                "remark='tag number " + std::to_string(i) + "' addr='" + address + "'>Tag_" + std::to_string(i) + "</Tag>\n";
    }
    return text + "</Tagtable>";
}

/// A private folder for the generated sources and the type library's DataType.xml.
struct ScratchFolder {
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vireo-parse-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::exit(1);
        path = pattern;
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    CString File(const std::string& name) const { return CString::FromUtf8((path / name).string()); }
    std::filesystem::path path;
};

}  // namespace

int main() {
    DefineChannelColumns();
    ScratchFolder folder;
    Write(folder.path / "MotorData.udt", kMotorType);
    Write(folder.path / "PlantTags.xml", TagTable());
    std::vector<CString> files = {folder.File("MotorData.udt"), folder.File("PlantTags.xml")};
    DbFileMap blocks;
    for (int b = 1; b <= kBlocks; ++b) {
        const std::string name = "DB" + std::to_string(b) + "_Line.db";
        Write(folder.path / name, Block(b));
        SDbFileInfo info{CString::FromUtf8("DB" + std::to_string(b)), u"Line", CString::FromUtf8("Line " + std::to_string(b)),
                         folder.File(name), 0};
        blocks.emplace(info.Path, info);
        files.push_back(info.Path);
    }

    size_t bytes = 0;
    const double baseline = BestOf([&] {
        bytes = 0;
        std::string raw;
        for (const CString& path : files) {
            if (!ReadWholeFile(path, raw)) std::exit(1);
            bytes += Utf8ToUtf16(raw).size();
        }
    });

    DataAnalysis analysis(folder.File("DataType.xml"));
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
    const double parse = BestOf([&] {
        analysis.Library()->ParsedStructs().clear();
        analysis.Library()->TopLevelRecords().clear();
        analysis.Reset();
        StructureList completed;
        if (analysis.LoadFiles({files[0]}, completed, kLoadSourceFiles) != 1) std::exit(1);
        if (analysis.LoadFiles({files[1]}, completed, kLoadTagTables) != 1) std::exit(1);
        if (analysis.LoadBlocks(blocks, completed, kLoadDbFiles) != 1) std::exit(1);
        if (analysis.Flatten() != 1) std::exit(1);
        analysis.TakeResults(leaves, unknown);
    });
    const size_t expected = size_t{kBlocks} * kStationsPerBlock * kLeavesPerStation + kTags;
    if (leaves.size() != expected || !unknown.empty()) {
        std::fprintf(stderr, "parse_bench: %zu leaves, %zu unknown types; expected %zu and none\n", leaves.size(), unknown.size(), expected);
        return 1;
    }

    const double channels = BestOf([&] {
        CDevTable table;
        AddChannelsFromMembers(leaves, &table);
    });

    std::printf("%zu files, %.1f million characters, %zu leaves\n", files.size(), static_cast<double>(bytes) / 1e6, leaves.size());
    std::printf("%-34s %10.2f ms\n", "read and decode (baseline)", baseline * 1e3);
    std::printf("%-34s %10.2f ms   ratio %.2f\n", "parse and lay out", parse * 1e3, parse / baseline);
    std::printf("%-34s %10.2f ms   ratio %.2f\n", "leaves to channels", channels * 1e3, channels / baseline);
    return 0;
}
