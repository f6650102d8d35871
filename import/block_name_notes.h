// What a refused list of data block files is about, told file by file: a block name check that
// failed names every file at fault, and a file whose first line gives no block title names that
// line, so that the user need not guess which of many files to correct.
#pragma once

#include <vector>

#include "types/db_file_info.h"
#include "types/reader_notes.h"

/// One note for each file whose block name breaks the naming rule (or that holds data types, not
/// a data block), and one for each file whose block name a file before it in the list already has.
ReaderNotes BlockNameNotes(const DbFileMap& list);

/// The note for a data block file whose basic information cannot be read: its first line, which
/// must be DATA_BLOCK and the block's quoted title.
SReaderNote BlockInfoNote(const CString& path);
