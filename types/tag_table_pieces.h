// A tag table document cut between its tags, so that it can be read a piece at a time: a table of
// a million tags is never held as one document tree.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

/// A run of the root element's content that ends after one of its child elements (the last run
/// ends before the root's end tag), with the line it starts on.
struct STagTablePiece {
    std::string_view text;
    int line = 1;
};

/// The parts of a document of the plain shape a tag table export has: a prolog of blanks,
/// processing instructions and comments; one root element with children; after it blanks,
/// processing instructions and comments again.
struct STagTablePieces {
    std::string_view rootStartTag;  ///< from "<" to ">"
    std::string_view rootName;
    int rootLine = 1;               ///< the line the root's start tag begins on
    std::vector<STagTablePiece> pieces;
    size_t children = 0;            ///< the root's child elements in all the pieces
};

/// Cuts xml into pieces of at least bytesPerPiece bytes, each ending after a child element of the
/// root (the last one takes what is left). Nothing for a document of any other shape or one the
/// cut cannot follow (a document type declaration, markup outside the root, a root that is empty,
/// never ends or ends with another name, a comment, section or tag that never ends): such a
/// document is read whole instead, by the same parser, so that it is taken or refused exactly as
/// before.
std::optional<STagTablePieces> CutTagTable(std::string_view xml, size_t bytesPerPiece);
