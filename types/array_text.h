// Array type texts as the user data type file and the data type dialogs write them:
// "Array [0..9,1..3] of " followed by the element type.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "types/type_records.h"

/// "Array [" + each dimension as Lower..Upper, joined by "," + "] of ", ready for the element type
/// to be appended. Dimensions (0, 9) and (1, 3) give "Array [0..9,1..3] of ".
CString ArrayText(const CArrayDims& dims);

/// Reads an array type text: appends its dimensions to dims, outermost first, and sets elementType
/// to the trimmed text after the first "of" (empty when there is none).
///
/// A text is an array text when it contains "Array" (case-sensitive) and a "[" followed later by a
/// "]". Any other text (a type name that merely contains "Array", such as "ValveArray") is not one:
/// the function returns false and changes nothing, so that the name stays a scalar type.
///
/// The bounds between the first "[" and the first "]" are split at ","; each trimmed, non-empty
/// piece gives Lower from the text before its first "." and Upper from the text after its last "."
/// (a piece without "." gives both from the whole piece). A number that cannot be read keeps the
/// value of the previous piece; both start at 0.
bool ParseArrayText(const CString& text, std::vector<SArrayDim>& dims, CString& elementType);
/// As above, for a member's own dimensions.
bool ParseArrayText(const CString& text, CArrayDims& dims, CString& elementType);
