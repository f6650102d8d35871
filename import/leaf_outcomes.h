// Leaves that make no channel, or not the channel they declare, told in the import's status list
// instead of left for the user to find missing: members whose type has no channel type, strings
// whose length no channel holds, members hidden from the HMI that became read-only channels.
#pragma once

#include <vector>

#include "types/reader_notes.h"
#include "types/type_records.h"

/// How many member paths a note names before it only counts the rest.
constexpr int kLeavesNamedPerNote = 20;

/// One note per kind of outcome that some leaf had: how many, and the first kLeavesNamedPerNote
/// member paths (with the type or the length they were given).
void NoteLeavesWithoutTheirChannel(const std::vector<SFlatMember>& leaves, ReaderNotes& notes);
