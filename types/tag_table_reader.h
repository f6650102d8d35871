// The XML tag table reader: one top-level record per PLC tag of a TIA Portal tag table export
//   <Tagtable name='...'><Tag type='Bool' hmiVisible='True' hmiWriteable='True' remark='' addr='%I0.3'>name</Tag>...
// Element names are not checked: every child element of the root is a tag.
#pragma once

#include <string_view>
#include <vector>

#include "types/type_records.h"

/// Reads the tag table at path and appends its records to records. Returns 1, or kTagFileUnusable
/// (nothing appended) when the file cannot be read, is not well-formed XML, or has no root element
/// or no child element under the root.
int ReadTagTable(const CString& path, std::vector<SFlatMember>& records);

/// As ReadTagTable, on the file's bytes.
///
/// Each child element of the root with an address gives a record: Name the element's first child
/// node's value (its text, exactly as it stands), Type the "type" attribute, Mark "remark", Read 0
/// when "hmiVisible" is exactly "False" (else 1), Write 0 when "hmiWriteable" is exactly "False",
/// Block the letter after the "%" of "addr" (I, Q or M), BitOffset the address in bits (%I0.3
/// gives 3, %MW10 gives 80). An element without an address ("addr" missing or empty, as TIA Portal
/// writes user constants) gives no record: it names no place in the PLC's memory.
int ReadTagTableText(std::string_view xml, std::vector<SFlatMember>& records);

/// The bit address of an absolute address text: the "%" and the area and size letters dropped,
/// byte × 8, plus the bit after a "." (%Q1.7 gives 15, %MB2 gives 16). Numbers are their leading
/// digits (none give 0); a byte number too large for a 32-bit bit offset is held at the largest.
int TagAddressBitOffset(std::u16string_view address);
