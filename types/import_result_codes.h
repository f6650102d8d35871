// The result codes of the import operations and the status texts the tag import shows for them.
#pragma once

#include <map>

#include "platform/cstring.h"

/// A source file that cannot be opened: it adds nothing, and a batch goes on with the next file.
constexpr int kFileNotOpened = 1;
/// A batch in which some file could not be opened (the others were read).
constexpr int kFileLoadFailed = -1;
constexpr int kSourceFileEmpty = -2;
/// The tag table is missing, not well-formed XML, or has no root or no tag element.
constexpr int kTagFileUnusable = -3;
/// An unrecognised line inside a data block structure, or unbalanced STRUCT / END_STRUCT.
constexpr int kBlockFormatError = -10;
/// The data block uses optimized access, which has no fixed memory layout to import.
constexpr int kBlockOptimized = -11;
/// An unrecognised line inside a data type structure.
constexpr int kTypeFormatError = -12;
constexpr int kTypeAttributeError = -13;
constexpr int kSourceFormatError = -14;
/// A data block file whose path has no folder or whose title cannot be read.
constexpr int kBlockInfoUnreadable = -15;

/// Results of the block name check.
constexpr int kBlockNamesValid = 0;
constexpr int kBlockNameInvalid = 1;
constexpr int kBlockNameRepeated = 2;

/// The status text of a negative result code (in the user-interface language once the language
/// library's texts were loaded); empty for a code that has none.
CString ImportStatusText(int code);

/// Every code that has a status text, with its text: what the tag import dialog shows for a code.
std::map<int, CString> StatusMessageTable();

/// The status text of a failed block name check (kBlockNameInvalid or kBlockNameRepeated).
CString BlockNameCheckText(int result);
