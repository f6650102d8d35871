// The dry run of a tag import: the leaves an import of the given sources would turn into channels,
// found by the same steps the import takes and told with the same notes, with nothing kept
// afterwards.
#include <algorithm>

#include "core/exports.h"
#include "import/block_name_notes.h"
#include "import/db_file_info_derivation.h"
#include "import/leaf_outcomes.h"
#include "platform/freed_memory.h"
#include "types/import_result_codes.h"
#include "types/data_analysis.h"

namespace {

/// Keeps the type library as it was: the run starts without earlier top-level records, and what it
/// parses is taken back out at the end, so that a dry run changes nothing another user of the
/// library sees.
class LibrarySnapshot {
public:
    explicit LibrarySnapshot(Fileparstest& library)
        : library_(library), structs_(library.ParsedStructs()), records_(std::move(library.TopLevelRecords())) {
        library.TopLevelRecords().clear();
    }
    ~LibrarySnapshot() {
        library_.ParsedStructs() = std::move(structs_);
        library_.TopLevelRecords() = std::move(records_);
    }
    LibrarySnapshot(const LibrarySnapshot&) = delete;
    LibrarySnapshot& operator=(const LibrarySnapshot&) = delete;

private:
    Fileparstest& library_;
    StructMap structs_;
    std::vector<SFlatMember> records_;
};

std::vector<CString> Paths(const CStringArray& paths) { return paths.Items(); }

void AddNotes(SLayoutResult& result, const ReaderNotes& notes) {
    for (const SReaderNote& note : notes) result.notes.Add(ReaderNoteText(note));
}

int Fail(SLayoutResult& result, int code, CString text, const ReaderNotes& notes = {}) {
    result.failure = code;
    result.failureText = std::move(text);
    AddNotes(result, notes);
    return 0;
}

/// Leaves let go of at a time while the results are made from them.
constexpr size_t kLeavesLetGoOfAtOnce = 16384;

void CopyResults(std::vector<SFlatMember> leaves, const std::vector<CString>& unknown, SLayoutResult& result) {
    // The results are made from the last leaf to the first, and the leaves done are let go of as
    // they go, so that a large layout's leaves and its results are not all held at once; the
    // results are then put in leaf order.
    result.leaves.Reserve(static_cast<int>(leaves.size()));
    for (size_t i = leaves.size(); i-- > 0;) {
        SFlatMember& leaf = leaves[i];
        const int outcome = LeafOutcomeOf(leaf);
        result.leaves.Add(SLayoutLeaf{std::move(leaf.Name), std::move(leaf.Type), leaf.Block.Text(), leaf.BitOffset,
                                      leaf.Read, leaf.Write, leaf.Length, leaf.Mark.Text(), outcome});
        if (i % kLeavesLetGoOfAtOnce == 0) LetGoOfItemsFrom(leaves, i);
    }
    std::reverse(result.leaves.begin(), result.leaves.end());
    for (const CString& name : unknown) result.unknownTypes.Add(name);
}

/// The data block files as the dialog's list holds them, with the block names the user corrected.
int ChooseBlockFiles(const SLayoutRequest& request, DbFileMap& chosen, SLayoutResult& result) {
    CString failed;
    const int code = AddDbFiles(chosen, Paths(request.dbFiles), &failed);
    if (code < 0) return Fail(result, code, ImportStatusText(code), {BlockInfoNote(failed)});
    for (int i = 0; i < request.blockNames.GetSize() && i < request.dbFiles.GetSize(); ++i) {
        const auto file = chosen.find(request.dbFiles[i]);
        if (file != chosen.end() && !request.blockNames[i].IsEmpty()) file->second.BlockName = request.blockNames[i];
    }
    return 1;
}

/// The steps of a tag import in the order a user takes them: data type files first, then the data
/// block files chosen, then the import itself (block name check, tag table and data blocks read,
/// layout). Only the records of what the import itself reads are laid out, as in the dialog.
int RunLayout(const SLayoutRequest& request, DataAnalysis& analysis, SLayoutResult& result) {
    StructureList completed;
    int code = analysis.LoadFiles(Paths(request.typeFiles), completed, kLoadSourceFiles);
    if (code < 0) return Fail(result, code, ImportStatusText(code), analysis.TakeReaderNotes());

    DbFileMap chosen;
    if (ChooseBlockFiles(request, chosen, result) == 0) return 0;
    DbFileMap blocks;
    code = CheckBlockNames(chosen, request.nameByTitle != 0, blocks);
    if (code != kBlockNamesValid) return Fail(result, code, BlockNameCheckText(code), BlockNameNotes(chosen));
    if (request.tagFile.IsEmpty() && blocks.empty())
        return Fail(result, kSourceFileEmpty, ReaderNoteText(NoteOf(SReaderNote::kNoSourceChosen)));

    analysis.Reset();
    analysis.ForgetTopLevelRecords();
    analysis.TakeReaderNotes();  // those of the type files were shown when they were read
    std::vector<CString> tagTables;
    if (!request.tagFile.IsEmpty()) tagTables.push_back(request.tagFile);
    const SParsedSources read = analysis.LoadTagTablesAndBlocks(tagTables, blocks, completed);
    ReaderNotes notes = analysis.TakeReaderNotes();
    code = read.tags < 0 ? read.tags : read.blocks;
    if (code < 0) return Fail(result, code, ImportStatusText(code), notes);
    // Laid out: the leaves hold all that is needed of the records and of the blocks' inline
    // structures (the snapshot gives the library back the structures it held before).
    code = analysis.FlattenAndForgetRecords(InlineStructures::kLetGo);
    const ReaderNotes layoutNotes = analysis.LayoutNotes();
    notes.insert(notes.end(), layoutNotes.begin(), layoutNotes.end());
    if (code < 0) return Fail(result, code, ImportStatusText(code), notes);

    // Laid out: the structures read for this run are not needed beside its leaves (the snapshot
    // gives the library back the ones it held before).
    StructMap().swap(analysis.Library()->ParsedStructs());
    ReturnFreedMemory();
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
    analysis.MoveResults(leaves, unknown);
    if (unknown.empty()) {
        NoteLeavesWithoutTheirChannel(leaves, notes);
        NoteLostCharacters(leaves, notes);
    }
    if (leaves.empty() && unknown.empty()) return Fail(result, kSourceFileEmpty, ReaderNoteText(NoteOf(SReaderNote::kNothingToImport)), notes);
    AddNotes(result, notes);
    CopyResults(std::move(leaves), unknown, result);
    return 1;
}

}  // namespace

VIREO_EXPORT int VireoLayoutDryRun(const SLayoutRequest& request, SLayoutResult& result) {
    result = SLayoutResult();
    DataAnalysis analysis;
    LibrarySnapshot snapshot(*analysis.Library());
    return RunLayout(request, analysis, result);
}
