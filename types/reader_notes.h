// What the readers of an import left out or changed, so that the user is told instead of finding
// it missing later: a source line that stopped a file, a tag whose address names no place, a text
// the code page could not hold.
#pragma once

#include <vector>

#include "platform/cstring.h"

struct SReaderNote {
    enum Kind {
        kRefusedLine,       ///< the line stopped the file's parse (subject: the line's text)
        kRefusedTagAddress, ///< the tag got no record (subject: its name, detail: its address)
        kTextNotInCodePage, ///< subject: where the text belongs, detail: the characters that became "?"
        kNoChannelType,     ///< members whose type makes no channel (subject: how many, detail: the first of them)
        kStringResized,     ///< strings a channel cannot hold at their length (subject: how many, detail: the first)
        kHiddenReadOnly,    ///< members hidden from the HMI, made read-only channels (subject, detail as above)
        kUnknownTagTableForm, ///< the tag table was refused whole (subject: its root element's name)
    };
    Kind kind = kRefusedLine;
    CString file;
    int line = 0;  ///< counted from 1; 0 when the note belongs to no line
    CString subject;
    CString detail;

    bool operator==(const SReaderNote&) const = default;
};

using ReaderNotes = std::vector<SReaderNote>;

/// The status text of a note in the user-interface language.
CString ReaderNoteText(const SReaderNote& note);
