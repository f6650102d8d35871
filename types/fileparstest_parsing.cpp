// The type library's parsing operations: data block files, TIA source files and XML tag tables.
#include <algorithm>
#include <atomic>
#include <iterator>

#include "types/import_result_codes.h"
#include "types/source_text.h"
#include "types/tag_table_reader.h"
#include "types/tia_source_parser.h"
#include "platform/parallel.h"
#include "types/fileparstest.h"

namespace {

/// Runs one operation per item in order; the first negative result stops the batch and is
/// returned. A file that cannot be opened (result 1) adds nothing and does not stop it, but the
/// batch then ends with kFileLoadFailed, so that the user learns that a file was left out instead
/// of seeing an import succeed without it.
template <typename Items, typename Parse>
int ParseEach(Items& items, Parse parse) {
    bool fileLeftOut = false;
    for (auto& item : items) {
        const int result = parse(item);
        if (result < 0) return result;
        if (result == kFileNotOpened) fileLeftOut = true;
    }
    return fileLeftOut ? kFileLoadFailed : 1;
}

/// How a data block file names its block's record: after the block title (naming choice 0) or
/// the file name (1); any other choice adds no record.
SBlockNaming NamingOf(const SDbFileInfo& block) {
    SBlockNaming naming;
    naming.blockName = block.BlockName;
    naming.appendRecord = block.NamingChoice == 0 || block.NamingChoice == 1;
    naming.recordName = block.NamingChoice == 0 ? block.BlockTitle : block.FileName;
    return naming;
}

/// Parses a source; a failure adds a note naming the file and the line at fault.
int ParseNoting(const SourceText& text, const CString& path, const SBlockNaming& naming, SParseTargets targets,
                ReaderNotes& notes) {
    SSourceLine failed;
    const int result = ParseTiaSource(text, path, naming, targets, &failed);
    if (result < 0 && failed.number > 0)
        notes.push_back({SReaderNote::kRefusedLine, path, failed.number, std::move(failed.text), CString()});
    return result;
}

/// Reads one data block file into targets: kFileNotOpened, or the parse's result.
int ParseDbFileInto(const SDbFileInfo& block, SParseTargets targets, ReaderNotes& notes) {
    SourceText text;
    if (!ReadSourceText(block.Path, text)) return kFileNotOpened;
    return ParseNoting(text, block.Path, NamingOf(block), targets, notes);
}

/// What one tag table or data block file gave, read on its own. A read only adds to its targets,
/// so handing these over file by file, in order, gives what reading the files one after the other
/// gives.
struct SFileParse {
    int result = 0;
    StructMap structs;
    std::vector<SFlatMember> records;
    StructureList completed;
    ReaderNotes notes;
};

/// The fewest files worth a part of their own when data block files are read side by side.
constexpr size_t kFilesPerPart = 8;

}  // namespace

int Fileparstest::ParseDbFiles(const DbFileMap& blocks, StructureList& completed) {
    return ParseTagTablesAndDbFiles({}, blocks, completed).blocks;
}

SParsedSources Fileparstest::ParseTagTablesAndDbFiles(const std::vector<CString>& tagPaths, const DbFileMap& blocks,
                                                      StructureList& completed) {
    std::vector<const SDbFileInfo*> files;
    for (const auto& entry : blocks) files.push_back(&entry.second);
    // Every file is read side by side, each part taking the next file not yet taken; the tag
    // tables come first, as one of them is as much work as many data block files.
    std::vector<SFileParse> tables(tagPaths.size()), parsed(files.size());
    const size_t jobs = tables.size() + parsed.size();
    std::atomic<size_t> next{0};
    RunParts(PartsFor(jobs, kFilesPerPart), [&](int) {
        for (size_t job; (job = next++) < jobs;) {
            if (job < tables.size()) {
                // A tag table read gives 1, which here means success, not a file left out.
                tables[job].result = std::min(ReadTagTable(tagPaths[job], tables[job].records, &tables[job].notes), 0);
                continue;
            }
            SFileParse& file = parsed[job - tables.size()];
            file.result = ParseDbFileInto(*files[job - tables.size()], {file.structs, file.records, file.completed}, file.notes);
        }
    });
    auto handOver = [&](SFileParse& file) {
        for (auto& [header, members] : file.structs) parsedStructs_.try_emplace(header).first->second = std::move(members);
        // The first records handed over are taken as they are: a table of a million tags is not
        // moved into a second list of the same size.
        if (topLevelRecords_.empty() && topLevelRecords_.capacity() < file.records.capacity()) topLevelRecords_.swap(file.records);
        else topLevelRecords_.insert(topLevelRecords_.end(), std::make_move_iterator(file.records.begin()),
                                     std::make_move_iterator(file.records.end()));
        completed.insert(completed.end(), std::make_move_iterator(file.completed.begin()),
                         std::make_move_iterator(file.completed.end()));
        notes_.insert(notes_.end(), std::make_move_iterator(file.notes.begin()), std::make_move_iterator(file.notes.end()));
        const int result = file.result;
        file = SFileParse();  // its memory goes as soon as it is handed over
        return result;
    };
    SParsedSources result;
    result.tags = ParseEach(tables, handOver);
    // A failed tag table ends the reading before the data blocks: nothing of them is kept.
    if (result.tags >= 0) result.blocks = ParseEach(parsed, handOver);
    return result;
}

int Fileparstest::ParseSourceFiles(const std::vector<CString>& paths, StructureList& completed) {
    return ParseEach(paths, [&](const CString& path) { return ParseSourceFile(path, completed); });
}

int Fileparstest::ParseTagTables(const std::vector<CString>& paths, StructureList& completed) {
    return ParseTagTablesAndDbFiles(paths, {}, completed).tags;
}

int Fileparstest::ParseDbFile(const SDbFileInfo& block, StructureList& completed) {
    return ParseDbFileInto(block, {parsedStructs_, topLevelRecords_, completed}, notes_);
}

int Fileparstest::ParseSourceFile(const CString& path, StructureList& completed) {
    SourceText text;
    if (!ReadSourceText(path, text)) return kFileNotOpened;
    SBlockNaming naming;
    naming.blockName = BlockNameOfSourceFile(path);
    naming.recordName = naming.blockName;
    return ParseNoting(text, path, naming, {parsedStructs_, topLevelRecords_, completed}, notes_);
}

int Fileparstest::ParseTagTable(const CString& path, std::vector<SFlatMember>& records) {
    return ReadTagTable(path, records, &notes_);
}
