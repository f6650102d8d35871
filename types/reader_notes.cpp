#include "types/reader_notes.h"

#include <initializer_list>

#include "core/text_tables.h"

namespace {

// Entries of the tag import text table: one pattern per kind of note, with {1} to {4} standing for
// the file, the line, the subject and the detail.
constexpr int kRefusedLineEntry = 26;
constexpr int kRefusedTagAddressEntry = 27;
constexpr int kTextNotInCodePageEntry = 28;
constexpr int kNoChannelTypeEntry = 29;
constexpr int kStringResizedEntry = 30;
constexpr int kHiddenReadOnlyEntry = 31;
constexpr int kUnknownTagTableFormEntry = 32;
constexpr int kUnknownTypeEntry = 33;
constexpr int kContainsItselfEntry = 34;
constexpr int kNestedTooDeepEntry = 35;
constexpr int kOffsetTooLargeEntry = 36;
constexpr int kBlockNameInvalidEntry = 37;
constexpr int kTypeSourceAsBlockEntry = 38;
constexpr int kBlockNameRepeatedEntry = 39;
constexpr int kNoSourceChosenEntry = 40;
constexpr int kNothingToImportEntry = 42;

/// The pattern with {1}, {2} ... replaced by the values, from the left: a value that holds "{2}"
/// itself is not replaced again. A pattern from a language library is never a format string.
CString FillIn(const CString& pattern, std::initializer_list<CString> values) {
    std::u16string text;
    const std::u16string_view source = pattern.view();
    for (size_t i = 0; i < source.size(); ++i) {
        const bool placeholder = i + 2 < source.size() && source[i] == u'{' && source[i + 2] == u'}';
        const size_t index = placeholder ? static_cast<size_t>(source[i + 1] - u'1') : values.size();
        if (index < values.size()) {
            text += (values.begin() + index)->view();
            i += 2;
        } else {
            text += source[i];
        }
    }
    return CString(std::move(text));
}

}  // namespace

CString ReaderNoteText(const SReaderNote& note) {
    const CString line = CString::Formatted(u"%d", note.line);
    switch (note.kind) {
    case SReaderNote::kRefusedLine:
        return FillIn(Text(kTagImportTexts, kRefusedLineEntry), {note.file, line, note.subject});
    case SReaderNote::kRefusedTagAddress:
        return FillIn(Text(kTagImportTexts, kRefusedTagAddressEntry), {note.file, line, note.subject, note.detail});
    case SReaderNote::kTextNotInCodePage:
        return FillIn(Text(kTagImportTexts, kTextNotInCodePageEntry), {note.subject, note.detail});
    case SReaderNote::kNoChannelType:
        return FillIn(Text(kTagImportTexts, kNoChannelTypeEntry), {note.subject, note.detail});
    case SReaderNote::kStringResized:
        return FillIn(Text(kTagImportTexts, kStringResizedEntry), {note.subject, note.detail});
    case SReaderNote::kHiddenReadOnly:
        return FillIn(Text(kTagImportTexts, kHiddenReadOnlyEntry), {note.subject, note.detail});
    case SReaderNote::kUnknownTagTableForm:
        return FillIn(Text(kTagImportTexts, kUnknownTagTableFormEntry), {note.file, note.subject});
    case SReaderNote::kUnknownType:
        return FillIn(Text(kTagImportTexts, kUnknownTypeEntry), {note.file, note.subject, note.detail});
    case SReaderNote::kContainsItself:
        return FillIn(Text(kTagImportTexts, kContainsItselfEntry), {note.file, note.subject, note.detail});
    case SReaderNote::kNestedTooDeep:
        return FillIn(Text(kTagImportTexts, kNestedTooDeepEntry), {note.file, note.subject, note.detail});
    case SReaderNote::kOffsetTooLarge:
        return FillIn(Text(kTagImportTexts, kOffsetTooLargeEntry), {note.file, note.subject, note.detail});
    case SReaderNote::kBlockNameInvalid:
        return FillIn(Text(kTagImportTexts, kBlockNameInvalidEntry), {note.file, note.subject});
    case SReaderNote::kTypeSourceAsBlock:
        return FillIn(Text(kTagImportTexts, kTypeSourceAsBlockEntry), {note.file});
    case SReaderNote::kBlockNameRepeated:
        return FillIn(Text(kTagImportTexts, kBlockNameRepeatedEntry), {note.file, note.detail, note.subject});
    case SReaderNote::kNoSourceChosen:
        return Text(kTagImportTexts, kNoSourceChosenEntry);
    case SReaderNote::kNothingToImport:
        return Text(kTagImportTexts, kNothingToImportEntry);
    }
    return CString();
}
