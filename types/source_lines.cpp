#include "types/source_lines.h"

#include "platform/code_page.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeByteOrderMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeByteOrderMark = "\xFE\xFF";

/// UTF-16 text after its byte-order mark, in the byte order the mark gives. A last odd byte holds
/// no character and becomes a replacement character, so that a cut file is not read as complete.
std::u16string DecodeUtf16(std::string_view bytes) {
    const bool littleEndian = bytes.starts_with(kUtf16LeByteOrderMark);
    bytes.remove_prefix(2);
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
    }
    if (bytes.size() % 2) text += u'\uFFFD';
    return text;
}

/// The position of the next line end at or after start (CR or LF), or the text's size.
template <typename Char>
size_t NextLineEnd(std::basic_string_view<Char> text, size_t start) {
    while (start < text.size() && text[start] != Char{'\r'} && text[start] != Char{'\n'}) ++start;
    return start;
}

/// The position after the line end at position end (CR LF counts as one).
template <typename Char>
size_t AfterLineEnd(std::basic_string_view<Char> text, size_t end) {
    if (end >= text.size()) return text.size();
    if (text[end] == Char{'\r'} && end + 1 < text.size() && text[end + 1] == Char{'\n'}) return end + 2;
    return end + 1;
}

/// NextSourceLine for either kind of text.
template <typename Char>
std::basic_string_view<Char> NextLineOf(std::basic_string_view<Char> text, size_t& start) {
    const size_t end = NextLineEnd(text, start);
    const std::basic_string_view<Char> line = text.substr(start, end - start);
    start = AfterLineEnd(text, end);
    return line;
}

}  // namespace

bool IsUtf16Source(std::string_view bytes) {
    return bytes.starts_with(kUtf16LeByteOrderMark) || bytes.starts_with(kUtf16BeByteOrderMark);
}

std::string_view Utf8SourceText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    return bytes;
}

std::u16string DecodeSourceText(std::string_view bytes) {
    if (IsUtf16Source(bytes)) return DecodeUtf16(bytes);
    return Utf8ToUtf16(Utf8SourceText(bytes));
}

std::string TextBytesAsUtf8(std::string bytes) {
    if (!IsUtf16Source(bytes)) return bytes;
    return Utf16ToUtf8(DecodeUtf16(bytes));
}

std::u16string_view NextSourceLine(std::u16string_view text, size_t& start) { return NextLineOf(text, start); }

std::string_view NextSourceLine(std::string_view utf8, size_t& start) { return NextLineOf(utf8, start); }

std::u16string_view Trimmed(std::u16string_view text) {
    const auto blank = [](char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n' || ch == u'\v' || ch == u'\f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}
