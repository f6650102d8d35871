// The type library: one process-wide, reference-counted store of the elementary types, the user
// and predefined structures, the structures read from sources and the top-level records to lay out.
#pragma once

#include <utility>
#include <vector>

#include "types/filepares.h"
#include "types/reader_notes.h"
#include "types/fileparsxml.h"

/// The results of reading tag tables and data block files together.
struct SParsedSources {
    int tags = 0;
    int blocks = 0;
};

class Fileparstest final : public Filepares {
public:
    /// The shared type library, with one more reference. When none exists it is created: the
    /// elementary table is built, and the user data type file at dataTypeFile (empty: the default
    /// location next to the driver) and the predefined structures are loaded. dataTypeFile matters
    /// only then. Every reference is given back with Release; the last one destroys the library,
    /// and the next Acquire loads a fresh one.
    static Fileparstest* Acquire(const CString& dataTypeFile = CString());

    int AddRef() override;
    int Release() override;
    /// The references held now: 1 when the holder asking is the only one.
    int References() const { return references_; }
    int GetTopLevelRecords(std::vector<SFlatMember>& records) override;
    int Reserved() override;
    int MergeStructs(StructMap& structures) override;
    int SaveStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members, int mode) override;
    int GetElementaryTypes(std::vector<STypeSize>& types) override;
    int WriteStructs(const StructMap& structures) override;
    int GetParsedStructs(StructMap& structures) override;
    int GetUserStructs(StructMap& structures) override;
    int ParseDbFiles(const DbFileMap& blocks, StructureList& completed) override;
    int ParseSourceFiles(const std::vector<CString>& paths, StructureList& completed) override;
    int ParseTagTables(const std::vector<CString>& paths, StructureList& completed) override;
    int ParseDbFile(const SDbFileInfo& block, StructureList& completed) override;
    int ParseSourceFile(const CString& path, StructureList& completed) override;
    int ParseTagTable(const CString& path, std::vector<SFlatMember>& records) override;
    /// ParseTagTables, then ParseDbFiles unless the tag tables failed, with their results (blocks
    /// is 0 when the tag tables failed): the files are read side by side, and what they gave is
    /// handed over as reading them one after the other in that order would have.
    SParsedSources ParseTagTablesAndDbFiles(const std::vector<CString>& tagPaths, const DbFileMap& blocks,
                                            StructureList& completed);
    void BuildElementaryTable() override;
    /// As MergeStructs, with the parsed structures lent instead of copied: they are moved into
    /// structures, and the places they took there returned, until ReturnParsedStructs gives them
    /// back. The parsed map is empty meanwhile; a source of a million members is then not held
    /// twice while it is laid out.
    std::vector<StructMap::iterator> LendParsedStructs(StructMap& structures);
    /// Gives the structures lent back to the parsed map; structures keeps the others.
    void ReturnParsedStructs(StructMap& structures, const std::vector<StructMap::iterator>& lent);

    /// The stores the parsers fill: structures read from sources, and top-level records in the
    /// order met. Nothing empties them while the library lives.
    StructMap& ParsedStructs() { return parsedStructs_; }
    std::vector<SFlatMember>& TopLevelRecords() { return topLevelRecords_; }
    const Fileparsxml& DataTypeFile() const { return dataTypeFile_; }
    /// What the parsers left out or changed since the notes were last taken, in the order met.
    ReaderNotes TakeNotes() { return std::exchange(notes_, {}); }

    /// False when the user data type file exists but could not be read or parsed when the library
    /// was created: its structures are missing, and the file was left as it is.
    bool UserFileReadable() const { return userFileReadable_; }
    bool HasUserStruct(const CString& name) const { return userStructs_.contains(name.view()); }

    /// From now on SaveStruct changes memory only and keeps the file's changes, until
    /// FinishFileWrites writes them all at once: a command that saves many structures writes the
    /// file once, after all of them, and a failure leaves it as it was before the command.
    void DeferFileWrites() { deferWrites_ = true; }
    /// Writes the changes kept since DeferFileWrites, and writes each change at once again. True
    /// when the file holds them (or there were none).
    bool FinishFileWrites();
private:
    explicit Fileparstest(const CString& dataTypeFile);
    ~Fileparstest() override;

    int references_ = 1;
    Fileparsxml dataTypeFile_;
    bool userFileReadable_ = true;
    bool deferWrites_ = false;
    StructFileEdits pendingEdits_;  ///< changes to the file not written yet
    std::vector<STypeSize> elementary_;
    StructMap userStructs_;    ///< the user data type file's structures, then the predefined ones
    StructMap parsedStructs_;  ///< structures read from sources
    std::vector<SFlatMember> topLevelRecords_;
    ReaderNotes notes_;
};
