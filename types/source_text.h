// A TIA Portal text source as the parser reads it: one line at a time, decoded when it is asked for.
#pragma once

#include <string>
#include <string_view>

#include "platform/cstring.h"

/// The text of a source file, read line by line. A UTF-8 source, the usual kind, is kept as its
/// bytes and each line decoded to UTF-16 as it is read, into a buffer the reader gives: a 50 MB
/// block source is then not held a second time, at twice its size, while it is parsed. A source
/// that begins with a UTF-16 byte-order mark, rare, is decoded whole (DecodeSourceText).
/// A position counts bytes of a UTF-8 source and characters of a decoded one; only the text that
/// gave it reads it.
class SourceText {
public:
    SourceText() = default;
    /// The bytes of a source file, read as DecodeSourceText reads them; a UTF-8 source keeps them.
    explicit SourceText(std::string bytes);
    /// A text already decoded.
    explicit SourceText(std::u16string text);

    /// The position after the last line: every position before it starts a line or lies in one.
    size_t Size() const { return utf8_ ? bytes_.size() - textStart_ : decoded_.size(); }

    /// The line that starts at position start, untrimmed, cut as NextSourceLine cuts; start
    /// moves past its line end. The line is decoded into buffer or lies in this text; it is valid
    /// until buffer changes. Call only while start is before Size().
    std::u16string_view Line(size_t& start, std::u16string& buffer) const;

    /// The first line, up to its first line end, untrimmed (empty for an empty text); as Line.
    std::u16string_view FirstLine(std::u16string& buffer) const;

private:
    std::string_view Utf8() const { return std::string_view(bytes_).substr(textStart_); }

    bool utf8_ = false;
    std::string bytes_;      ///< a UTF-8 source's bytes
    size_t textStart_ = 0;   ///< where its text starts in bytes_, after a byte-order mark
    std::u16string decoded_; ///< a text decoded whole
};

/// Reads the source file at path into text. False when it cannot be read.
bool ReadSourceText(const CString& path, SourceText& text);
