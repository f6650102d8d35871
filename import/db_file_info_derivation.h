// The data block file record of a chosen file: its block name from the file name, its title from
// the file's first line; and the block name check that an import runs before it parses.
#pragma once

#include <vector>

#include "types/db_file_info.h"

/// The file's name without its folder, cut before its first "." (empty when the name has none).
CString DbFileNameOf(const CString& path);

/// The block name that a file name (already cut before its first ".") gives: the text before its
/// first "_" when that is "DB" and a number from 1 to 60000 written in digits ("DB12_Motor" gives
/// "DB12", "DB012_Motor" gives "DB012"); otherwise empty.
CString BlockNameOfFileName(const CString& fileName);

/// Reads the block title from the first line of the file at path: the text after the line's first
/// blank, when it is enclosed in double quotes, without them ("DATA_BLOCK \"Motor data\"" gives
/// Motor data). A file that cannot be opened gives an empty title. False when the line gives no
/// title.
bool ReadBlockTitle(const CString& path, CString& title);

/// Makes the record of a chosen file: block name (DB0 when the file name gives none), file name,
/// title, path, naming choice 0. Returns 1, or kBlockInfoUnreadable when the path has no folder or
/// the file's title cannot be read.
int MakeDbFileInfo(const CString& path, SDbFileInfo& info);

/// Adds the records of the files in the given order. A path already in the list keeps its record
/// (and so a block name edited in it). Stops at the first file that fails, with
/// kBlockInfoUnreadable, and the file in failedPath when one is given; the files added before it
/// stay. Returns 1 otherwise.
int AddDbFiles(DbFileMap& list, const std::vector<CString>& paths, CString* failedPath = nullptr);

/// True when the block name is "DB" and a number from 1 to 60000 written in digits.
bool IsValidBlockName(const CString& blockName);

/// The block name check of an import: replaces importCopy with a copy of list, in which, unless
/// channels are named after block titles, every record's naming choice becomes 1 (name by file
/// name). Returns kBlockNamesValid, kBlockNameInvalid at the first record whose block name breaks
/// the naming rule, or kBlockNameRepeated when two records carry the same block name (compared
/// exactly: DB7 and DB07 differ).
int CheckBlockNames(const DbFileMap& list, bool nameByTitle, DbFileMap& importCopy);
