// The dry run of a tag import: the leaves an import of the given sources would turn into channels,
// found by the same steps the import takes, with nothing kept afterwards.
#include "core/exports.h"
#include "import/db_file_info_derivation.h"
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

int Fail(SLayoutResult& result, int code, CString text) {
    result.failure = code;
    result.failureText = std::move(text);
    return 0;
}

void CopyResults(const DataAnalysis& analysis, SLayoutResult& result) {
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
    analysis.TakeResults(leaves, unknown);
    result.leaves.Reserve(static_cast<int>(leaves.size()));
    for (SFlatMember& leaf : leaves) {
        result.leaves.Add(SLayoutLeaf{std::move(leaf.Name), std::move(leaf.Type), std::move(leaf.Block), leaf.BitOffset,
                                      leaf.Read, leaf.Write, leaf.Length, std::move(leaf.Mark)});
    }
    for (CString& name : unknown) result.unknownTypes.Add(std::move(name));
}

/// The steps of a tag import in the order a user takes them: data type files first, then the data
/// block files chosen, then the import itself (block name check, tag table, data blocks, layout).
int RunLayout(const SLayoutRequest& request, DataAnalysis& analysis, SLayoutResult& result) {
    StructureList completed;
    int code = analysis.LoadFiles(Paths(request.typeFiles), completed, kLoadSourceFiles);
    if (code < 0) return Fail(result, code, ImportStatusText(code));

    DbFileMap chosen;
    code = AddDbFiles(chosen, Paths(request.dbFiles));
    if (code < 0) return Fail(result, code, ImportStatusText(code));
    DbFileMap blocks;
    code = CheckBlockNames(chosen, request.nameByTitle != 0, blocks);
    if (code != kBlockNamesValid) return Fail(result, code, BlockNameCheckText(code));

    analysis.Reset();
    if (!request.tagFile.IsEmpty()) {
        code = analysis.LoadFiles({request.tagFile}, completed, kLoadTagTables);
        if (code < 0) return Fail(result, code, ImportStatusText(code));
    }
    code = analysis.LoadBlocks(blocks, completed, kLoadDbFiles);
    if (code < 0) return Fail(result, code, ImportStatusText(code));
    code = analysis.Flatten();
    if (code < 0) return Fail(result, code, ImportStatusText(code));
    CopyResults(analysis, result);
    return 1;
}

}  // namespace

VIREO_EXPORT int VireoLayoutDryRun(const SLayoutRequest& request, SLayoutResult& result) {
    result = SLayoutResult();
    DataAnalysis analysis;
    LibrarySnapshot snapshot(*analysis.Library());
    return RunLayout(request, analysis, result);
}
