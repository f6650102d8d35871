// Reading a TIA Portal text source into lines.
#pragma once

#include <string>
#include <string_view>

/// Whether the bytes of a source file begin with a UTF-16 byte-order mark (FF FE or FE FF).
bool IsUtf16Source(std::string_view bytes);

/// The UTF-8 text of a source file that is not UTF-16: its bytes without a leading byte-order mark.
std::string_view Utf8SourceText(std::string_view bytes);

/// The text of a source file: its bytes decoded as UTF-8, without a leading byte-order mark; bytes
/// that begin with a UTF-16 byte-order mark (FF FE or FE FF) are decoded as UTF-16 in that order.
std::u16string DecodeSourceText(std::string_view bytes);

/// The bytes of a text file as UTF-8: UTF-16 with a byte-order mark converted, anything else as
/// it is (for readers that take UTF-8 only, such as the XML reader).
std::string TextBytesAsUtf8(std::string bytes);

/// The line of text that starts at position start, untrimmed, as a view into text; start moves past
/// its line end. A line ends at CR LF, at a lone LF or at a lone CR, so that sources keep their
/// lines whichever line ends a checkout gave them; text after the last line end is a last line.
/// Call only while start is before the end of text.
std::u16string_view NextSourceLine(std::u16string_view text, size_t& start);
/// The same for UTF-8 text, in bytes: CR and LF are never part of a character of several bytes,
/// so a text decoded line by line gives the lines of the text decoded whole.
std::string_view NextSourceLine(std::string_view utf8, size_t& start);

/// The text without the blanks at its ends (space, tab, line ends, vertical tab, form feed).
std::u16string_view Trimmed(std::u16string_view text);
