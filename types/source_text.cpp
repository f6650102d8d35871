#include "types/source_text.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "types/source_lines.h"

SourceText::SourceText(std::string bytes) {
    if (IsUtf16Source(bytes)) {
        decoded_ = DecodeSourceText(bytes);
        return;
    }
    utf8_ = true;
    textStart_ = bytes.size() - Utf8SourceText(bytes).size();
    bytes_ = std::move(bytes);
}

SourceText::SourceText(std::u16string text) : decoded_(std::move(text)) {}

std::u16string_view SourceText::Line(size_t& start, std::u16string& buffer) const {
    if (!utf8_) return NextSourceLine(std::u16string_view(decoded_), start);
    const std::string_view line = NextSourceLine(Utf8(), start);
    buffer.clear();
    AppendUtf16(buffer, line);
    return buffer;
}

std::u16string_view SourceText::FirstLine(std::u16string& buffer) const {
    if (Size() == 0) return {};
    size_t start = 0;
    return Line(start, buffer);
}

bool ReadSourceText(const CString& path, SourceText& text) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    text = SourceText(std::move(bytes));
    return true;
}
