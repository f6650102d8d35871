// Conversions between UTF-16 and the byte encodings the driver meets: UTF-8 (sources, XML files)
// and the system's ANSI code page (texts in stored images).
#pragma once

#include <string>
#include <string_view>

constexpr unsigned CP_ACP = 0;      ///< the system's ANSI code page
constexpr unsigned CP_UTF8 = 65001;

/// The ANSI code page in force: 936 (Chinese, GBK) unless changed with SetAnsiCodePage.
unsigned GetACP();
/// Changes the ANSI code page for the whole process (a platform setting; tests use it).
/// Returns false, changing nothing, when the code page is not known to the converter.
bool SetAnsiCodePage(unsigned codePage);

/// Whether every character is ASCII, which every code page used here keeps as it is.
bool IsAscii(std::u16string_view text);
bool IsAscii(std::string_view bytes);

/// UTF-16 to bytes in the given code page. A character the code page cannot represent becomes "?",
/// so the result always stands for every character of the input; lost, when given, receives each
/// such character, in order.
std::string WideCharToMultiByte(unsigned codePage, std::u16string_view text, std::u16string* lost = nullptr);
/// The characters of text that the ANSI code page cannot hold, in order (each becomes "?" in a
/// stored image); empty when it holds them all.
std::u16string CharactersLostInCodePage(std::u16string_view text);
/// Bytes in the given code page to UTF-16. A byte sequence that is not valid in the code page gives
/// U+FFFD for its first byte and decoding goes on after it.
std::u16string MultiByteToWideChar(unsigned codePage, std::string_view bytes);

/// Appends the UTF-16 of UTF-8 bytes to out, decoded as MultiByteToWideChar decodes CP_UTF8: text
/// decoded a piece at a time into one buffer does not need a new string for each piece.
void AppendUtf16(std::u16string& out, std::string_view utf8);
inline std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string text;
    AppendUtf16(text, utf8);
    return text;
}
/// Appends text in UTF-8 to out, as WideCharToMultiByte converts it to CP_UTF8, encoded in place.
void AppendUtf8(std::string& out, std::u16string_view text);
inline std::string Utf16ToUtf8(std::u16string_view text) {
    std::string utf8;
    AppendUtf8(utf8, text);
    return utf8;
}
