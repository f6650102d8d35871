#include "types/member_line.h"

#include <algorithm>

#include "types/array_text.h"
#include "types/source_lines.h"

namespace {

using View = std::u16string_view;
constexpr size_t npos = View::npos;
constexpr View kNameSeparator = u" : ";
constexpr View kAssignment = u" := ";
constexpr View kCommentStart = u"//";

bool Contains(View text, View part) { return text.find(part) != npos; }

struct SLineParts {
    View name;
    View attributes;
    View type;  ///< the type text with the start value and comment still attached
};

/// Cuts the line into name, attribute text and type text. A quoted name runs to its closing
/// quote, so that a quoted name may hold blanks and separators.
SLineParts CutNameAndType(View line) {
    SLineParts parts;
    if (line.starts_with(u'"')) {
        const size_t close = line.find(u'"', 1);
        if (close == npos) return parts;
        parts.name = line.substr(0, close + 1);
        const View rest = line.substr(close);
        const size_t separator = rest.find(kNameSeparator);
        if (separator == npos) {
            parts.type = rest;
        } else {
            parts.attributes = rest.substr(0, separator);
            parts.type = rest.substr(separator + kNameSeparator.size());
        }
        return parts;
    }
    const size_t separator = line.find(kNameSeparator);
    if (separator == npos) return parts;
    const View before = line.substr(0, separator + 1);  // keeps the blank before the colon
    const size_t blank = before.find(u' ');
    parts.name = before.substr(0, blank);
    parts.attributes = before.substr(blank);
    parts.type = line.substr(separator + kNameSeparator.size());
    return parts;
}

/// Only the presence of the words counts: TIA Portal writes these attributes when they are off.
void ReadAccessAttributes(View attributes, SMemberInfo& member) {
    attributes = Trimmed(attributes);
    const size_t open = attributes.find(u'{');
    if (open == npos || !Contains(attributes, u"}")) return;
    const View block = attributes.substr(open + 1);
    if (Contains(block, u"ExternalWritable")) member.Write = 0;
    if (Contains(block, u"ExternalVisible")) member.Read = 0;
}

/// The position after the string literal that starts at text[start] (a quote), or npos when it
/// does not end. "$" escapes the character after it ("$'" is a quote, "$$" a dollar sign).
size_t AfterLiteral(View text, size_t start) {
    for (size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] == u'$') ++i;
        else if (text[i] == u'\'') return i + 1;
    }
    return npos;
}

/// Skips a start value up to its ";" or a comment; string literals inside it may hold either.
/// Returns the text after the start value, or false for a literal that does not end.
bool SkipStartValue(View value, View& rest) {
    size_t i = 0;
    while (i < value.size()) {
        if (value[i] == u'\'') {
            i = AfterLiteral(value, i);
            if (i == npos) return false;
            continue;
        }
        if (value[i] == u';') {
            rest = value.substr(i + 1);
            return true;
        }
        if (value.substr(i).starts_with(kCommentStart)) break;
        ++i;
    }
    rest = value.substr(i);
    return true;
}

/// Splits the type text into the type and what follows it (start value skipped). The type ends at
/// the first of " := ", ";" and "//".
bool CutTypeAndComment(View text, View& type, View& comment) {
    text = Trimmed(text);
    const size_t assignment = text.find(kAssignment);
    const size_t end = std::min(text.find(u';'), text.find(kCommentStart));
    View rest;
    if (assignment != npos && assignment < end) {
        type = text.substr(0, assignment);
        if (!SkipStartValue(Trimmed(text.substr(assignment + kAssignment.size())), rest)) return false;
    } else {
        type = text.substr(0, end);
        rest = end == npos ? View() : text.substr(end);
    }
    type = Trimmed(type);
    const size_t commentStart = rest.find(kCommentStart);
    comment = commentStart == npos ? View() : Trimmed(rest.substr(commentStart + kCommentStart.size()));
    return true;
}

/// A type with a bracketed length (String[20]): the length, and the type without it. False when
/// the brackets hold anything but a length from 0 to kMaxDeclaredLength.
bool ReadLength(View type, SMemberInfo& member) {
    const size_t open = type.find(u'[');
    const size_t close = type.find(u']');
    if (open == npos || close == npos || close < open) {
        member.Type = CString(type);
        return true;
    }
    int length = 0;
    if (!ScanWholeDecimal(type.substr(open + 1, close - open - 1), length) || length < 0 || length > kMaxDeclaredLength)
        return false;
    member.Length = length;
    member.Type = CString(Trimmed(type.substr(0, open)));
    return true;
}

/// Whether the bounds of an array type ("Array[0..9, 1..3] of Int") are each two whole 32-bit
/// numbers joined by "..", or one such number alone (an upper bound: "Array[5]" is 0..5), with at
/// least one dimension: bounds that are names, are left out or pass 32 bits would otherwise be
/// read as other numbers.
bool ArrayBoundsAreNumbers(View type) {
    const size_t open = type.find(u'[');
    const size_t close = type.find(u']');
    if (open == npos || close == npos || close < open) return false;
    View bounds = type.substr(open + 1, close - open - 1);
    if (Trimmed(bounds).empty()) return false;
    while (true) {
        const size_t comma = bounds.find(u',');
        const View piece = bounds.substr(0, comma);
        const size_t range = piece.find(u"..");
        int number = 0;
        if (range == npos) {
            if (!ScanWholeDecimal(piece, number)) return false;
        } else if (!ScanWholeDecimal(piece.substr(0, range), number) || !ScanWholeDecimal(piece.substr(range + 2), number)) {
            return false;
        }
        if (comma == npos) return true;
        bounds = bounds.substr(comma + 1);
    }
}

}  // namespace

bool ReadMemberLine(std::u16string_view line, SMemberLine& out) {
    out = SMemberLine();
    const SLineParts parts = CutNameAndType(line);
    SMemberInfo& member = out.member;
    member.Name = CString(parts.name);
    ReadAccessAttributes(parts.attributes, member);
    View type, comment;
    if (!CutTypeAndComment(parts.type, type, comment)) return false;
    member.Mark = CString(comment);

    CString elementType;
    if (ParseArrayText(CString(type), member.Dims, elementType)) {
        if (!ArrayBoundsAreNumbers(type)) return false;
        type = elementType.view();
    }
    if (type == u"Struct") out.opensStruct = true;
    else if (!ReadLength(type, member)) return false;
    return true;
}
