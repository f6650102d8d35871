// The layout engine of the tag import: hands files to the type library's parsers, then lays out
// every top-level record into leaf members with full names and bit offsets.
#pragma once

#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "types/db_file_info.h"
#include "types/fileparstest.h"
#include "types/type_library_ref.h"
#include "types/member_layout.h"
#include "types/structure_list.h"
#include "types/type_records.h"

/// Kinds of LoadFiles and LoadBlocks.
constexpr int kLoadTagTables = 0;
constexpr int kLoadSourceFiles = 1;
constexpr int kLoadDbFiles = 2;

/// What a layout that forgets its records does with the inline structures of the data blocks it
/// lays out (see MemberLayout::LetGoOfInlineStructures).
enum class InlineStructures {
    kKeep,
    /// Emptied in the type library as they are laid out, when the records are laid out one after
    /// the other: the caller reads the blocks again (ReadBlocksAgain), or lets go of the library or
    /// of the structures read, before anyone else sees the library's structures.
    kLetGo,
};

/// Used in this order: Reset, LoadFiles and/or LoadBlocks, Flatten, TakeResults, ReleaseLibrary.
/// Holds a type library reference from construction until ReleaseLibrary (or destruction).
class DataAnalysis {
public:
    /// Takes a type library reference; dataTypeFile is the user data type file used if the library
    /// has to be created (empty: the default location).
    explicit DataAnalysis(const CString& dataTypeFile = CString());
    ~DataAnalysis();
    DataAnalysis(const DataAnalysis&) = delete;
    DataAnalysis& operator=(const DataAnalysis&) = delete;

    /// Empties the records, the elementary table, the results and the unknown names. The layout
    /// flags and the structures stay.
    void Reset();

    /// Empties the type library's list of top-level records, so that the next layout holds only the
    /// records of the sources loaded after this call. The structures stay.
    void ForgetTopLevelRecords();

    /// Hands the files to the type library in list order: tag tables (kLoadTagTables) or TIA
    /// sources (kLoadSourceFiles); completed collects the structures they complete. Returns the
    /// first negative result, else 1; 0 without parsing when paths is empty, no library is held or
    /// kind is neither.
    int LoadFiles(const std::vector<CString>& paths, StructureList& completed, int kind);

    /// Hands every data block file record of blocks to the type library (kind must be
    /// kLoadDbFiles). Returns the first negative result, else 1; 0 without parsing when blocks is
    /// empty, no library is held or kind is another.
    int LoadBlocks(const DbFileMap& blocks, StructureList& completed, int kind);

    /// LoadFiles of the tag tables, then LoadBlocks of the data block files unless the tag tables
    /// failed, with the same results (blocks is 0 when they failed); the files are read side by
    /// side.
    SParsedSources LoadTagTablesAndBlocks(const std::vector<CString>& tagPaths, const DbFileMap& blocks,
                                          StructureList& completed);

    /// Lays out the type library's top-level records in order, appending their leaves to the
    /// results and the names of types found neither among the structures nor the elementary types
    /// to the unknown names (each name once). Returns 1; kLayoutTooLarge when the leaves counted
    /// before the layout pass the leaf limit, or their record names alone pass
    /// kMaxLeafNameCharacters (nothing is laid out then), or when the layout grew past the limits
    /// all the same (the results then hold none of this run's leaves); 0 when no library is held.
    int Flatten();
    /// As Flatten followed by ForgetTopLevelRecords, for a caller that needs the records no more
    /// once they are laid out. When the results are empty, the leading records that are their own
    /// leaf (scalars of elementary types: the tags of a tag table) are not copied but become the
    /// first leaves themselves, so that a large tag table is held once. The results, the unknown
    /// names, the notes and the code are those of Flatten.
    /// With a leafSink, the leaves go to it instead of the results, in order: while a layout in
    /// order makes them, kLeavesHandedAtOnce at a time, and the rest once the layout succeeded.
    /// A layout that succeeds leaves no leaf in the results; one that fails may have handed some
    /// on already, which are then no result.
    int FlattenAndForgetRecords(InlineStructures inlineStructures = InlineStructures::kKeep,
                                const LeafSink* leafSink = nullptr);
    /// True when the last FlattenAndForgetRecords emptied inline structures in the type library.
    bool EmptiedInlineStructures() const { return emptiedInlineStructures_; }
    /// Reads the data block files again for their structures alone (their records and the readers'
    /// notes are not kept), so that the type library holds all they declare once more.
    void ReadBlocksAgain(const DbFileMap& blocks);
    /// True when no one but this analysis holds the type library, which then goes with ReleaseLibrary.
    bool HoldsLibraryAlone() const { return library_.get() && library_->References() == 1; }

    /// Replaces members and unknownTypes with copies of the results and the unknown names.
    void TakeResults(std::vector<SFlatMember>& members, std::vector<CString>& unknownTypes) const;
    /// The same, handing the results and the unknown names over instead of copying them: the
    /// analysis holds none afterwards (a large import's leaves are not held twice).
    void MoveResults(std::vector<SFlatMember>& members, std::vector<CString>& unknownTypes);

    /// Gives back the type library reference, and the structures held for the layout; later
    /// loads and layouts do nothing. A second call does nothing.
    void ReleaseLibrary();

    /// What the type library's readers left out or changed since this was last asked (refused
    /// lines and tags, texts the code page cannot hold), in the order met; none after ReleaseLibrary.
    ReaderNotes TakeReaderNotes() { return library_.get() ? library_->TakeNotes() : ReaderNotes(); }
    /// Why the last layout left types unknown (one note per unknown name, in the order listed:
    /// not defined, containing itself, nested too deep) and the member beyond the range of a bit
    /// offset that stopped it, each with the member's path and the file its record was read from.
    ReaderNotes LayoutNotes() const;
    /// The type library held, or null after ReleaseLibrary.
    Fileparstest* Library() const { return library_.get(); }

    /// The most leaves one Flatten may produce (kDefaultMaxLeaves unless changed).
    void SetMaxLeaves(int maxLeaves) { maxLeaves_ = maxLeaves; }

private:
    /// Flatten's work once the structures and elementary types are at hand.
    int LayOutRecords();
    /// Lays out the records one after the other; the results grow from resultsBefore.
    /// uses are the structures' uses the records were counted with.
    int FlattenInOrder(size_t resultsBefore, MemberLayout::StructUses uses);
    /// Lays out the records in parts at the same time, part k from record starts[k] up to
    /// starts[k + 1], and joins the parts' leaves and unknown names in record order; recordLeaves
    /// tells how many leaves each record gives, about. False, with the analysis as before but for
    /// leaves appended to the results, when a limit was reached.
    bool FlattenSideBySide(const std::vector<size_t>& starts, const std::vector<int64_t>& recordLeaves);

    TypeLibraryRef library_;
    /// The top-level records of the layout under way, as the library holds them.
    const std::vector<SFlatMember>* records_ = nullptr;
    StructMap structures_;              ///< the structures handed over for layout
    std::vector<STypeSize> elementary_;
    std::vector<SFlatMember> results_;  ///< leaves in the order placed
    std::vector<CString> unknown_;      ///< unknown type names in the order first met
    std::vector<SLayoutProblem> problems_;  ///< why each unknown name is unknown, in the same order
    SLayoutProblem offsetProblem_;      ///< the member that stopped the last layout, if it was one
    std::map<CString, CString> fileOfBlock_;  ///< the file each block (or memory area) was read from
    /// The structures completed by reading the data block files whose records are held.
    std::unordered_set<std::u16string> blockStructures_;
    InlineStructures inlineStructures_ = InlineStructures::kKeep;  ///< for the layout under way
    const LeafSink* leafSink_ = nullptr;                            ///< for the layout under way
    /// The library's parsed structures among structures_, while FlattenAndForgetRecords lays out.
    const std::vector<StructMap::iterator>* parsedStructures_ = nullptr;
    bool emptiedInlineStructures_ = false;
    SLayoutFlags flags_;
    int maxLeaves_ = kDefaultMaxLeaves;
    /// Leaves at the end of the results that are records left where they lay, counted against the
    /// limits of the layout under way.
    size_t ownLeaves_ = 0;
};
