// Adding, deleting and replacing one user structure, in memory and in the user data type file.
#pragma once

#include <vector>

#include "types/fileparsxml.h"
#include "types/type_records.h"

/// Applies one change to userStructs and to file:
/// - add (0): the entry of header's Name gets members (an entry is made if none exists; an existing
///   entry keeps its header); the structure is appended to the file;
/// - delete (1): the entry of that Name is removed; if there was one, the first structure of that
///   Name is removed from the file;
/// - replace (2): as add in memory; in the file the first structure of that Name is removed and the
///   new one appended.
/// The map changes whatever happens to the file. Returns 1 when the file holds the change (or needed
/// none), 0 when it could not be written or mode is none of these (nothing changes then).
int SaveStruct(StructMap& userStructs, const Fileparsxml& file, const SStructInfo& header,
               const std::vector<SMemberInfo>& members, int mode);
