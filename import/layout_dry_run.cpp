// The dry run of a tag import: the leaves an import of the given sources would turn into channels,
// found by the same steps the import takes and told with the same notes, with nothing kept
// afterwards.
#include "core/exports.h"
#include "import/block_name_notes.h"
#include "import/db_file_info_derivation.h"
#include "import/leaf_outcomes.h"
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
    result.leaves.RemoveAll();  // those of a layout that stopped part way
    result.failure = code;
    result.failureText = std::move(text);
    AddNotes(result, notes);
    return 0;
}

/// Makes the dry run's leaves from the layout's as it hands them on: each is given to the
/// request's taker, or else kept in the result, and is told about in the notes on what becomes of
/// leaves. A large layout's leaves are thus never all held, neither as the layout's nor as these.
class LeafResults {
public:
    LeafResults(const SLayoutRequest& request, SLayoutResult& result) : request_(request), result_(result) {}

    void Take(std::vector<SFlatMember>& batch) {
        for (SFlatMember& leaf : batch) {
            outcomes_.Add(leaf);
            SLayoutLeaf made{std::move(leaf.Name), leaf.Type, leaf.Block.Text(), leaf.BitOffset, leaf.Read,
                             leaf.Write, leaf.Length, leaf.Mark.Text(), LeafOutcomeOf(leaf)};
            if (request_.takeLeaf) request_.takeLeaf(made);
            else result_.leaves.Add(std::move(made));
            ++count_;
        }
    }
    size_t Count() const { return count_; }
    const LeafOutcomeNotes& Outcomes() const { return outcomes_; }

private:
    const SLayoutRequest& request_;
    SLayoutResult& result_;
    LeafOutcomeNotes outcomes_;
    size_t count_ = 0;
};

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
    // The leaves are made into results as they are laid out; they hold all that is needed of the
    // records and of the blocks' inline structures (the snapshot gives the library back the
    // structures it held before).
    LeafResults made(request, result);
    const LeafSink sink = [&made](std::vector<SFlatMember>& batch) { made.Take(batch); };
    code = analysis.FlattenAndForgetRecords(InlineStructures::kLetGo, &sink);
    const ReaderNotes layoutNotes = analysis.LayoutNotes();
    notes.insert(notes.end(), layoutNotes.begin(), layoutNotes.end());
    if (code < 0) return Fail(result, code, ImportStatusText(code), notes);

    std::vector<SFlatMember> leaves;  // none: all were handed on
    std::vector<CString> unknown;
    analysis.MoveResults(leaves, unknown);
    if (made.Count() == 0 && unknown.empty()) return Fail(result, kSourceFileEmpty, ReaderNoteText(NoteOf(SReaderNote::kNothingToImport)), notes);
    if (unknown.empty()) made.Outcomes().AppendTo(notes);
    AddNotes(result, notes);
    for (const CString& name : unknown) result.unknownTypes.Add(name);
    return 1;
}

}  // namespace

VIREO_EXPORT int VireoLayoutDryRun(const SLayoutRequest& request, SLayoutResult& result) {
    result = SLayoutResult();
    DataAnalysis analysis;
    LibrarySnapshot snapshot(*analysis.Library());
    return RunLayout(request, analysis, result);
}
