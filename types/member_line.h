// Reading one member line of a TIA source structure:
//   name [attribute block] " : " type [" := " start value] [";"] ["//" comment]
#pragma once

#include <string_view>

#include "types/type_records.h"

/// What a member line declares.
struct SMemberLine {
    /// Name as written (a quoted name keeps its quotes), Type, Mark, Read, Write, Length, Dims.
    /// For an anonymous structure Type is left empty: the reader names the structure.
    SMemberInfo member;
    /// The type is Struct, or an array of Struct: the lines up to the matching END_STRUCT declare
    /// the members of an anonymous structure.
    bool opensStruct = false;
};

/// The longest string length a member may declare: a WString holds at most 16,382 characters, and
/// anything longer is no declaration TIA Portal writes.
constexpr int kMaxDeclaredLength = 16382;

/// Reads a trimmed member line. Returns false when the source is malformed: a string start value
/// has no closing quote (the line cannot be cut reliably), a bracketed length is not a number from
/// 0 to kMaxDeclaredLength (String[-300], String[99999999999]), or array bounds are not whole
/// 32-bit numbers (Array[a..b], Array[] of Int).
///
/// A line whose name or type separator is missing still gives a member, with the parts that depend
/// on the separator empty (a line "a:Int;" gives an empty Name and Type), so that the layout reports
/// the empty type instead of the member vanishing.
bool ReadMemberLine(std::u16string_view line, SMemberLine& out);
