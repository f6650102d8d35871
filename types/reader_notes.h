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
        // From the layout: subject the type, detail the member's path, file where its record was read.
        kUnknownType,       ///< the type is defined nowhere
        kContainsItself,    ///< the structure contains itself
        kNestedTooDeep,     ///< the structure lies deeper than the nesting limit
        kOffsetTooLarge,    ///< the member lies beyond the range of a bit offset
        // From the block name check: file the data block file, subject its block name.
        kBlockNameInvalid,  ///< the block name is not DB1 to DB60000
        kTypeSourceAsBlock, ///< the file holds data types, not a data block
        kBlockNameRepeated, ///< detail: the other file with the same block name
        kNoSourceChosen,    ///< an import with neither a tag table nor a data block file
        kNothingToImport,   ///< the sources were read and hold no member to import
    };
    Kind kind = kRefusedLine;
    CString file;
    int line = 0;  ///< counted from 1; 0 when the note belongs to no line
    CString subject;
    CString detail;

    bool operator==(const SReaderNote&) const = default;
};

using ReaderNotes = std::vector<SReaderNote>;

/// A note that belongs to no file (no source chosen, nothing to import).
inline SReaderNote NoteOf(SReaderNote::Kind kind) {
    SReaderNote note;
    note.kind = kind;
    return note;
}

/// The status text of a note in the user-interface language.
CString ReaderNoteText(const SReaderNote& note);
