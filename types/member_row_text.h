// How the data structure editor shows a member in a row of its list (name, type text, comment,
// read/write label) and reads a row's texts back into a member.
#pragma once

#include "platform/cstring.h"
#include "types/type_records.h"

/// The type text of a row: the Type, then "[Length]" when Length is 1 or more, with the array text
/// of the Dims in front when there are any: "Array [0..9] of String[20]".
CString MemberTypeText(const SMemberInfo& member);

/// Reads the Dims of an array type text into member.Dims and returns the element text after the
/// first "of", trimmed. A text that is no array text is returned as it is, with no Dims.
CString ReadArrayPart(const CString& typeText, SMemberInfo& member);

/// Splits a "[n]" suffix off a type: "String[8]" gives Type "String" and Length 8. A text without
/// "[" followed later by "]" is the Type as it is, with Length 0.
void ReadLengthSuffix(const CString& type, SMemberInfo& member);

/// The read/write label: "Read/Write" (Read 1, Write 1), "Read Only" (1, 0), "None" (0, 0), and
/// an empty label for a member that may only be written (0, 1).
CString ReadWriteLabel(int read, int write);
/// Read and Write from a label, the reverse of ReadWriteLabel.
void ReadReadWriteLabel(const CString& label, SMemberInfo& member);
