// The interface of the type library: the shared store of elementary types, structure types and
// top-level records, with the parsers that fill it. Operations are declared in a fixed order.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "types/db_file_info.h"
#include "types/structure_list.h"
#include "types/type_records.h"

/// Modes of SaveStruct.
constexpr int kSaveStructAdd = 0;
constexpr int kSaveStructDelete = 1;
constexpr int kSaveStructReplace = 2;

class Filepares {
public:
    /// Adds a reference; returns the new count.
    virtual int AddRef() = 0;
    /// Removes a reference; at zero the object is destroyed. Returns the remaining count.
    virtual int Release() = 0;
    /// Replaces records with a copy of the top-level records; returns 1.
    virtual int GetTopLevelRecords(std::vector<SFlatMember>& records) = 0;
    /// Does nothing; returns 1.
    virtual int Reserved() = 0;
    /// Fills structures for layout: afterwards it holds every parsed structure, then every user or
    /// predefined structure whose Name no parsed one carries, then whatever it held before under
    /// Names neither carries. Returns 1.
    virtual int MergeStructs(StructMap& structures) = 0;
    /// Adds (kSaveStructAdd), deletes (kSaveStructDelete) or replaces (kSaveStructReplace) one user
    /// structure in memory and in the user data type file. The change in memory is made whatever
    /// happens to the file. Returns 1 when the file holds the change (or needed none), 0 when it
    /// could not be written or the mode is unknown.
    virtual int SaveStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members, int mode) = 0;
    /// Replaces types with a copy of the elementary type table; returns 1.
    virtual int GetElementaryTypes(std::vector<STypeSize>& types) = 0;
    /// Appends every structure of structures to the user data type file, in map order; 1 when
    /// written, 0 when the file could not be written. The structures in memory do not change.
    virtual int WriteStructs(const StructMap& structures) = 0;
    /// Replaces structures with a copy of the parsed structure map; returns 1.
    virtual int GetParsedStructs(StructMap& structures) = 0;
    /// Replaces structures with a copy of the user structure map; returns 1.
    virtual int GetUserStructs(StructMap& structures) = 0;
    /// Parses each data block file of blocks in map order; the first negative result stops and is
    /// returned, else 1.
    virtual int ParseDbFiles(const DbFileMap& blocks, StructureList& completed) = 0;
    /// Parses each TIA source file of paths in order; the first negative result stops and is
    /// returned, else 1.
    virtual int ParseSourceFiles(const std::vector<CString>& paths, StructureList& completed) = 0;
    /// Reads each XML tag table of paths in order; the first negative result stops and is returned,
    /// else 1.
    virtual int ParseTagTables(const std::vector<CString>& paths, StructureList& completed) = 0;
    virtual ~Filepares() = default;
    /// Parses one data block file: 0 success, 1 the file cannot be opened, negative an error.
    virtual int ParseDbFile(const SDbFileInfo& block, StructureList& completed) = 0;
    /// Parses one TIA source file: 0 success, 1 the file cannot be opened, negative an error.
    virtual int ParseSourceFile(const CString& path, StructureList& completed) = 0;
    /// Reads one XML tag table, appending a top-level record per tag: 1 read, negative an error.
    virtual int ParseTagTable(const CString& path, std::vector<SFlatMember>& records) = 0;
    /// Builds the elementary type table.
    virtual void BuildElementaryTable() = 0;
};
