// The structure document: the XML form of the user data type file and of the predefined structure
// document. A root element (written as "STURCTUSER") holds one "Struct" element per structure type,
// each holding one "Element" per member, in member order.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <tinyxml2.h>

#include "types/type_records.h"

/// Which document is read: the two differ in how missing attributes are filled in.
enum class StructDocumentKind {
    /// The user data type file: a structure without "Name" gets an empty Name; a member without
    /// "Mark" keeps the Mark of the member read before it.
    UserFile,
    /// The predefined structure document: a structure without "Name" keeps the Name of the one
    /// before it; a member without "Mark" gets an empty Mark.
    Predefined,
};

/// Reads every structure of the document text into map, in document order. Each structure
/// replaces the members of the entry of its Name, or makes a new entry (so a Name read twice keeps
/// its first header and the later members). A member's Read, Write and Length, and in the user file
/// its Mark, carry over from the member read before it when absent (1, 1, 0 and empty at the
/// start); Mode carries over from the structure before (0 at the start). A structure's Mark is not
/// read. Attribute values are decoded from UTF-8 whole. False, with map unchanged, when the text is
/// not a well-formed document with a root element.
bool ReadStructDocument(std::string_view text, StructMap& map, StructDocumentKind kind);

/// A document that holds no structure: the declaration and an empty "STURCTUSER" root.
std::string EmptyStructDocumentText();

/// Appends a "Struct" element for header and members as the last child of root. Attributes, in
/// order: Name, "Length " (with its blank: it reads back as "Length"), Mode and Mark; for each
/// member Name, Type (an array's Type with its ArrayText in front), Length, Read, Write and Mark.
/// Returns the new element.
tinyxml2::XMLElement* AppendStructElement(tinyxml2::XMLElement& root, const SStructInfo& header, const std::vector<SMemberInfo>& members);

/// Removes the first structure named name (case-sensitive), searching from the root's first
/// "Struct" element through all its following siblings. False when there is none.
bool RemoveStructElement(tinyxml2::XMLElement& root, const CString& name);

/// The document in the XML library's indented form.
std::string PrintStructDocument(const tinyxml2::XMLDocument& document);

/// Loads the document text and lets edit change its root; edit returns whether it changed
/// anything. Gives the text to write: the printed document, or text itself when nothing changed.
/// Gives nothing when the text cannot be loaded or has no root, and when the printed document would
/// not load again (the XML library accepts some malformed documents that it cannot print readably),
/// so that a file is never replaced by one that cannot be read.
std::optional<std::string> EditStructDocument(std::string_view text, const std::function<bool(tinyxml2::XMLElement& root)>& edit);
