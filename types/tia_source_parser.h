// The TIA source parser: reads the data blocks and data types of a TIA Portal text source (.db,
// .udt, .scl) into structures and top-level records.
//
// It is a line-oriented recogniser, not an SCL parser: each trimmed line is classified by keyword
// tests, and member lines are cut at fixed separators. Every test is case-sensitive. Anonymous
// nested structures (Struct members, arrays of Struct) become structures of their own, named by a
// new GUID ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"), which the member names as its type.
#pragma once

#include <vector>

#include "types/source_text.h"
#include "types/structure_list.h"
#include "types/type_records.h"

/// How the data blocks of a source are recorded as top-level records.
struct SBlockNaming {
    bool appendRecord = true;  ///< false: data blocks store their members but add no record
    CString recordName;        ///< the record's Name: what the channels are named after
    CString blockName;         ///< the record's Type and Block, and the Name its structure is stored under
};

/// Where a parse puts what it reads. It only adds: structures replace those of the same Name.
struct SParseTargets {
    StructMap& structs;                ///< the parsed structures
    std::vector<SFlatMember>& records; ///< the top-level records, one per data block, in order
    StructureList& completed;          ///< one entry per data block or type completed, in order
};

/// A line of a source: its number, counted from 1, and its trimmed text.
struct SSourceLine {
    int number = 0;
    CString text;
};

/// Parses a source, reading its lines as they are needed (SourceText). The data blocks are read
/// first, then the types. Returns 0, or kBlockFormatError, kBlockOptimized or kTypeFormatError, or
/// kSourceFileEmpty when the source completes no structure and records no data block; a parse that
/// fails keeps what it stored before the failing line, and tells that line in failedLine when one
/// is given.
int ParseTiaSource(const SourceText& text, const CString& path, const SBlockNaming& naming, SParseTargets targets,
                   SSourceLine* failedLine = nullptr);

/// The block name a source file gives its data blocks when it is read as a source file: its file
/// name before the first "_" (DB12_Motor.db gives DB12; a name without "_" gives an empty name).
CString BlockNameOfSourceFile(const CString& path);
