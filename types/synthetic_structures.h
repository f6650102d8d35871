// The structures a source parser makes for anonymous nested structures: named by a new GUID in
// braces, which only the member that opened them names as its type.
#pragma once

#include "types/type_records.h"

/// True for a name of the form "{...}": no declared type can be named so.
bool IsSyntheticStructName(std::u16string_view name);
inline bool IsSyntheticStructName(const CString& name) { return IsSyntheticStructName(name.view()); }

/// Removes the synthetic structures that no declared structure of structures uses, directly or
/// through other synthetic ones: what a source that was cut off, or failed to parse, leaves behind.
/// Linear in the structures and members.
void DropLeftoverSyntheticStructs(StructMap& structures);
