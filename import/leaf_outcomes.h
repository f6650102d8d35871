// Leaves that make no channel, or not the channel they declare, told in the import's status list
// instead of left for the user to find missing: members whose type has no channel type, strings
// whose length no channel holds, members hidden from the HMI that became read-only channels.
#pragma once

#include <vector>

#include "core/host_interface.h"
#include "types/reader_notes.h"
#include "types/type_records.h"

/// How many member paths a note names before it only counts the rest.
constexpr int kLeavesNamedPerNote = 20;

/// What becomes of one leaf: 0 when it makes the channel it declares, else the kLeaf... bits of
/// the host interface (kLeafMakesNoChannel, kLeafStringResized, kLeafHiddenReadOnly).
int LeafOutcomeOf(const SFlatMember& leaf);

/// The length a string channel gets for a declared length (0: the TIA default of 254).
int ChannelStringLength(int declared);

/// One note per kind of outcome that some leaf had: how many, and the first kLeavesNamedPerNote
/// member paths (with the type or the length they were given).
void NoteLeavesWithoutTheirChannel(const std::vector<SFlatMember>& leaves, ReaderNotes& notes);

/// A note for every leaf whose variable name or comment holds characters the stored image's code
/// page cannot hold: they become "?", and two leaves may end with one variable name.
void NoteLostCharacters(const std::vector<SFlatMember>& leaves, ReaderNotes& notes);
