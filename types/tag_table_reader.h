// The XML tag table reader: one top-level record per PLC tag of a TIA Portal tag table export
//   <Tagtable name='...'><Tag type='Bool' hmiVisible='True' hmiWriteable='True' remark='' addr='%I0.3'>name</Tag>...
// Element names are not checked: every child element of the root is a tag. The engineering
// interface's SW.Tags.PlcTagTable document is read too (simaticml_tag_table.h); a document of
// neither form is refused with a note that names its root element.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "types/reader_notes.h"
#include "types/type_records.h"

/// Reads the tag table at path and appends its records to records, and to notes (when given) one
/// note for each tag refused for its address. Returns 1, or kTagFileUnusable (nothing appended)
/// when the file cannot be read, is not well-formed XML, has no root element or no child
/// element under the root, or is of neither form (with a kUnknownTagTableForm note).
int ReadTagTable(const CString& path, std::vector<SFlatMember>& records, ReaderNotes* notes = nullptr);

/// As ReadTagTable, on the file's bytes.
///
/// Each child element of the root with an address gives a record: Name the element's first child
/// node's value (its text, exactly as it stands), Type the "type" attribute, Mark "remark", Read 0
/// when "hmiVisible" is exactly "False" (else 1), Write 0 when "hmiWriteable" is exactly "False",
/// Block the area of "addr" (I, Q or M), BitOffset the address in bits (%I0.3 gives 3, %MW10
/// gives 80). An element without an address ("addr" missing or empty, as TIA Portal writes user
/// constants) gives no record: it names no place in the PLC's memory. An element whose address
/// ReadTagAddress refuses gives no record either, and a note (its line, name and address) instead.
int ReadTagTableText(std::string_view xml, std::vector<SFlatMember>& records, ReaderNotes* notes = nullptr);

/// As ReadTagTableText, which cuts a Tagtable document into pieces of about 1 MiB and parses one
/// at a time (a table of a million tags is never one document tree), with pieces of about
/// bytesPerPiece bytes. A document the cut cannot follow, or with a piece that is not
/// well-formed, is read whole, as ReadWholeTagTableText reads it: either way the records, the
/// notes and the result are those of reading it whole.
int ReadTagTableTextInPieces(std::string_view xml, size_t bytesPerPiece, std::vector<SFlatMember>& records,
                             ReaderNotes* notes = nullptr);
/// As ReadTagTableText, parsing the document as one tree.
int ReadWholeTagTableText(std::string_view xml, std::vector<SFlatMember>& records, ReaderNotes* notes = nullptr);

/// An absolute address of the input, output or memory area.
struct STagAddress {
    char16_t area = u'I';  ///< I, Q or M
    int bitOffset = 0;     ///< byte × 8 + bit
};

/// Reads an absolute address: an optional "%", the area I, Q or M, an optional size X, B, W or D,
/// the byte number, and for a bit address (no size letter, or X) an optional "." and bit 0 to 7
/// (%Q1.7 gives Q 15, %MB2 gives M 16). Nothing for any other text, for a byte number whose bit
/// offset does not fit 32 bits, or for text after the address: such a tag names no place this
/// driver can reach (%DB1.DBW4 and %ZZ10 would otherwise land in data block 0, %QW-2 at Q0).
std::optional<STagAddress> ReadTagAddress(std::u16string_view address);
