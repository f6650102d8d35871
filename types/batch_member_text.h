// Batch member text: the member table of a TIA Portal data type pasted as text, one member per line
// (lines end with CR LF), fields separated by a tab character:
//   0 name, 1 data type text, 2 start value (ignored), 3 flag (ignored), 4 read ("True" in any case
//   means 1), 5 write (likewise), 6 flag (ignored), 7 comment (absent: empty).
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "types/type_records.h"

/// Cuts text at every occurrence of separator. No pieces when either is empty; the whole text as
/// one piece when the separator does not occur. Otherwise one tab at the very end of the text is
/// dropped first, and every piece is kept, the one after the last separator too even when empty:
/// so a text ending with CR LF has an empty last line, and a line ending with a tab loses that tab.
std::vector<CString> SplitBatchText(const CString& text, const CString& separator);

/// The lines of a member text, as SplitBatchText cuts it at CR LF.
std::vector<CString> BatchLines(const CString& text);

/// The sample text: 26 members Element_1 to Element_26 of the common types, each line ending with
/// CR LF (the last one too).
CString BatchSampleText();

/// The members of a member text, in line order. Lines with fewer than two fields are skipped; a
/// line with two to five fields rejects the whole text with the framework's invalid-argument
/// exception, so that no member of it is taken. The type names are not checked here.
std::vector<SMemberInfo> ParseBatchMembers(const CString& text);
