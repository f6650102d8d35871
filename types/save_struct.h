// Adding, deleting and replacing one user structure, in memory and in the changes to make to the
// user data type file.
#pragma once

#include <vector>

#include "types/struct_file_edits.h"
#include "types/type_records.h"

/// Applies one change to userStructs and notes it in edits, for the user data type file:
/// - add (0): the entry of header's Name gets members (an entry is made if none exists; an existing
///   entry keeps its header); the structure is to be appended to the file;
/// - delete (1): the entry of that Name is removed; if there was one, the first structure of that
///   Name is to be removed from the file;
/// - replace (2): as add in memory; in the file the first structure of that Name is to be removed
///   and the new one appended.
/// Returns 1, or 0 when mode is none of these (nothing changes then).
int SaveStruct(StructMap& userStructs, StructFileEdits& edits, const SStructInfo& header,
               const std::vector<SMemberInfo>& members, int mode);
