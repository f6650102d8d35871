// Reading a TIA Portal text source into lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/cstring.h"

/// The text of a source file: its bytes decoded as UTF-8, without a leading byte-order mark.
std::u16string DecodeSourceText(std::string_view bytes);

/// Cuts text into lines. A line ends at CR LF, at a lone LF or at a lone CR, so that sources keep
/// their lines whichever line ends a checkout gave them; text after the last line end is a last
/// line. The lines are views into text and are not trimmed.
std::vector<std::u16string_view> SplitSourceLines(std::u16string_view text);

/// The first line of text (up to its first line end), untrimmed.
std::u16string_view FirstSourceLine(std::u16string_view text);

/// The text without the blanks at its ends (space, tab, line ends, vertical tab, form feed).
std::u16string_view Trimmed(std::u16string_view text);

/// Reads the file at path and decodes it (DecodeSourceText). False when it cannot be read.
bool ReadSourceText(const CString& path, std::u16string& text);
