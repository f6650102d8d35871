// The records of the S7 type model: elementary type rows, array dimensions, structure members,
// structure headers and flattened members. Sizes and offsets count bits from the start of a block.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include "platform/cstring.h"
#include "types/array_dims.h"
#include "types/block_name.h"
#include "types/shared_text.h"
#include "types/type_name.h"

/// One row of the elementary type table.
struct STypeSize {
    CString Name;
    int Bits = 0;

    bool operator==(const STypeSize&) const = default;
};

/// One member of a structure type. For an array, Type is the element type alone and Dims holds the
/// dimensions, outermost first; a scalar has no Dims.
struct SMemberInfo {
    CString Name;
    CTypeName Type;   ///< one pointer: a plant's leaves name a few dozen types
    CSharedText Mark;  ///< comment, shared with the leaves laid out from the member
    CArrayDims Dims;
    int Read = 1;     ///< 1: the member may be read
    int Write = 1;    ///< 1: the member may be written
    int Length = 0;   ///< declared string length in characters; 0 when none was declared

    bool operator==(const SMemberInfo&) const = default;
};

/// The header of a structure type. Headers are ordered and compared by Name alone,
/// case-sensitively (ordinal code-unit order): Mark, Length and Mode ride along.
struct SStructInfo {
    CString Name;
    CString Mark;
    int Length = 0;
    int Mode = 0;  ///< 0: a predefined structure, 1: a user-defined one (where the editors show it)
};

/// A top-level record as the parsers produce it, or a leaf placed by the layout. Block is the block
/// (or register area) the record belongs to. BitOffset is a top-level record's start offset, or a
/// leaf's own offset.
struct SFlatMember : SMemberInfo {
    int BitOffset = 0;  ///< first, to sit in the room the member's last number leaves
    CBlockName Block;

    bool operator==(const SFlatMember&) const = default;
};
/// A plant's half a million leaves are held at once while they are laid out.
static_assert(sizeof(SFlatMember) <= sizeof(SMemberInfo) + sizeof(void*), "a leaf adds no room beyond its block's pointer");

/// Orders structure headers by Name, and lets a map be searched by a name alone.
struct StructNameLess {
    using is_transparent = void;
    bool operator()(const SStructInfo& a, const SStructInfo& b) const { return a.Name.view() < b.Name.view(); }
    bool operator()(const SStructInfo& a, std::u16string_view b) const { return a.Name.view() < b; }
    bool operator()(std::u16string_view a, const SStructInfo& b) const { return a < b.Name.view(); }
};

/// Structure types by header, each with its members in declaration order.
using StructMap = std::map<SStructInfo, std::vector<SMemberInfo>, StructNameLess>;
