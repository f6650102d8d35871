#include "types/tag_table_reader.h"

#include <tinyxml2.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "types/import_result_codes.h"
#include "types/simaticml_tag_table.h"
#include "types/tag_table_pieces.h"
#include "types/source_lines.h"
#include "platform/file_system.h"

namespace {

using View = std::u16string_view;

/// The largest byte number whose bit offset, with a bit number of up to 7 added, fits a 32-bit
/// signed number.
constexpr int64_t kMaxByteNumber = (INT32_MAX - 7) / 8;

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

CString AttributeText(const tinyxml2::XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? CString::FromUtf8(value) : CString();
}

SFlatMember ReadTag(const tinyxml2::XMLElement& element, const STagAddress& address) {
    SFlatMember tag;
    const tinyxml2::XMLNode* text = element.FirstChild();
    if (text && text->Value()) tag.Name = CString::FromUtf8(text->Value());
    tag.Type = AttributeText(element, "type");
    tag.Mark = AttributeText(element, "remark");
    tag.Read = AttributeText(element, "hmiVisible") == u"False" ? 0 : 1;
    tag.Write = AttributeText(element, "hmiWriteable") == u"False" ? 0 : 1;
    tag.Block = std::u16string_view(&address.area, 1);
    tag.BitOffset = address.bitOffset;
    return tag;
}

/// lineOffset: lines before the part of the document the element was parsed in.
SReaderNote RefusedAddressNote(const tinyxml2::XMLElement& element, const CString& address, int lineOffset = 0) {
    SReaderNote note;
    note.kind = SReaderNote::kRefusedTagAddress;
    note.line = element.GetLineNum() + lineOffset;
    const tinyxml2::XMLNode* text = element.FirstChild();
    if (text && text->Value()) note.subject = CString::FromUtf8(text->Value());
    note.detail = address;
    return note;
}

/// Reads one child element of a Tagtable root: a record when it has an address ReadTagAddress
/// takes, a note when it has one it refuses, nothing without one. lineOffset as for the note.
void ReadTagElement(const tinyxml2::XMLElement& element, std::vector<SFlatMember>& records, ReaderNotes* notes, int lineOffset = 0) {
    const CString address = AttributeText(element, "addr");
    if (address.IsEmpty()) return;
    if (const std::optional<STagAddress> read = ReadTagAddress(address.view())) records.push_back(ReadTag(element, *read));
    else if (notes) notes->push_back(RefusedAddressNote(element, address, lineOffset));
}

SReaderNote UnknownFormNote(int line, std::string_view rootName) {
    return SReaderNote{SReaderNote::kUnknownTagTableForm, CString(), line, CString::FromUtf8(rootName), CString()};
}

/// Whether the document can be the Tagtable form: its root is named so, or one of the root's
/// children has an address. Any other document (another kind of export) would give no record
/// and so import nothing without a word.
bool IsTagtableForm(const tinyxml2::XMLElement& root) {
    if (std::strcmp(root.Name(), "Tagtable") == 0) return true;
    for (const tinyxml2::XMLElement* element = root.FirstChildElement(); element; element = element->NextSiblingElement())
        if (element->Attribute("addr")) return true;
    return false;
}

}  // namespace

std::optional<STagAddress> ReadTagAddress(std::u16string_view address) {
    View rest = address;
    if (rest.starts_with(u'%')) rest.remove_prefix(1);
    if (rest.empty() || (rest.front() != u'I' && rest.front() != u'Q' && rest.front() != u'M')) return std::nullopt;
    STagAddress read;
    read.area = rest.front();
    rest.remove_prefix(1);
    bool bitAddress = true;
    if (!rest.empty() && (rest.front() == u'X' || rest.front() == u'B' || rest.front() == u'W' || rest.front() == u'D')) {
        bitAddress = rest.front() == u'X';
        rest.remove_prefix(1);
    }
    int64_t byte = 0;
    size_t digits = 0;
    for (; digits < rest.size() && IsDigit(rest[digits]); ++digits) {
        byte = byte * 10 + (rest[digits] - u'0');
        if (byte > kMaxByteNumber) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    rest.remove_prefix(digits);
    int bit = 0;
    if (!rest.empty()) {
        // A bit number, 0 to 7, follows a bit address only.
        if (!bitAddress || rest.size() != 2 || rest[0] != u'.' || rest[1] < u'0' || rest[1] > u'7') return std::nullopt;
        bit = rest[1] - u'0';
    }
    read.bitOffset = static_cast<int>(byte * 8 + bit);
    return read;
}

namespace {

/// ReadTagTableText's work on the parsed document.
int ReadTagDocument(const tinyxml2::XMLDocument& document, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || !root->FirstChildElement()) return kTagFileUnusable;
    if (IsPlcTagTableDocument(*root)) {
        ReadPlcTagTableDocument(*root, records, notes);
        return 1;
    }
    if (!IsTagtableForm(*root)) {
        if (notes) notes->push_back(UnknownFormNote(root->GetLineNum(), root->Name()));
        return kTagFileUnusable;
    }
    // Room for every tag at once: a table of a million tags does not grow its records by doubling.
    size_t tags = 0;
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element; element = element->NextSiblingElement()) ++tags;
    records.reserve(records.size() + tags);
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element; element = element->NextSiblingElement())
        ReadTagElement(*element, records, notes);
    return 1;
}

/// The bytes of a piece of a tag table: a million tags are read some thousands at a time.
constexpr size_t kBytesPerPiece = size_t{1} << 20;

/// What the pieces of a document showed of it, for the checks made on the document as a whole.
struct SPiecesSeen {
    bool child = false;    ///< an element under the root
    bool address = false;  ///< an element under the root with an "addr" attribute
};

/// Reads the root's children in one piece, parsed under a copy of the root's start tag; false when
/// the piece is not well-formed.
bool ReadPiece(const STagTablePieces& cut, const STagTablePiece& piece, std::vector<SFlatMember>& records, ReaderNotes* notes,
               SPiecesSeen& seen) {
    std::string text;
    text.reserve(cut.rootStartTag.size() + piece.text.size() + cut.rootName.size() + 3);
    text.append(cut.rootStartTag).append(piece.text).append("</").append(cut.rootName).append(">");
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) return false;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root) return false;
    const int lineOffset = piece.line - 1 - static_cast<int>(std::count(cut.rootStartTag.begin(), cut.rootStartTag.end(), '\n'));
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element; element = element->NextSiblingElement()) {
        seen.child = true;
        if (element->Attribute("addr")) seen.address = true;
        ReadTagElement(*element, records, notes, lineOffset);
    }
    return true;
}

/// Reads a Tagtable document in its pieces; false (nothing appended) when a piece is not
/// well-formed, so that the document is read whole and refused or taken as the parser finds it.
bool ReadInPieces(const STagTablePieces& cut, std::vector<SFlatMember>& records, ReaderNotes* notes, int& result) {
    const size_t recordsBefore = records.size(), notesBefore = notes ? notes->size() : 0;
    SPiecesSeen seen;
    records.reserve(records.size() + cut.children);  // a table of a million tags does not grow by doubling
    for (const STagTablePiece& piece : cut.pieces) {
        if (ReadPiece(cut, piece, records, notes, seen)) continue;
        records.resize(recordsBefore);
        if (notes) notes->resize(notesBefore);
        return false;
    }
    result = 1;
    if (!seen.child) {
        result = kTagFileUnusable;
    } else if (cut.rootName != "Tagtable" && !seen.address) {
        if (notes) notes->push_back(UnknownFormNote(cut.rootLine, cut.rootName));
        result = kTagFileUnusable;
    }
    return true;
}

}  // namespace

int ReadWholeTagTableText(std::string_view xml, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) return kTagFileUnusable;
    return ReadTagDocument(document, records, notes);
}

int ReadTagTableTextInPieces(std::string_view xml, size_t bytesPerPiece, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    // The engineering interface's documents nest their tags deeper: they are read whole.
    const std::optional<STagTablePieces> cut = CutTagTable(xml, bytesPerPiece);
    int result = kTagFileUnusable;
    if (cut && cut->rootName != "Document" && ReadInPieces(*cut, records, notes, result)) return result;
    return ReadWholeTagTableText(xml, records, notes);
}

int ReadTagTableText(std::string_view xml, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    return ReadTagTableTextInPieces(xml, kBytesPerPiece, records, notes);
}

int ReadTagTable(const CString& path, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return kTagFileUnusable;
    const size_t notesBefore = notes ? notes->size() : 0;
    const int result = ReadTagTableText(TextBytesAsUtf8(std::move(bytes)), records, notes);
    if (notes)
        for (size_t i = notesBefore; i < notes->size(); ++i) (*notes)[i].file = path;
    return result;
}
