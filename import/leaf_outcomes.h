// Leaves that make no channel, or not the channel they declare, told in the import's status list
// instead of left for the user to find missing: members whose type has no channel type, strings
// whose length no channel holds, members hidden from the HMI that became read-only channels, and
// names and comments with characters the stored image's code page cannot hold.
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

/// The notes on what becomes of leaves, gathered one leaf at a time, so that leaves handed on as
/// they are laid out need not be held to be told about:
/// - one note per kind of outcome that some leaf had: how many, and the first kLeavesNamedPerNote
///   member paths (with the type or the length they were given);
/// - then a note for every leaf whose variable name or comment holds characters the stored
///   image's code page cannot hold: they become "?", and two leaves may end with one variable name.
class LeafOutcomeNotes {
public:
    LeafOutcomeNotes();
    void Add(const SFlatMember& leaf);
    /// Adds the notes of leaves that come after those added here, gathered apart (side by side).
    void Append(LeafOutcomeNotes&& later);
    /// The notes of the leaves added, in the order above.
    void AppendTo(ReaderNotes& notes) const;

private:
    /// The leaves of one outcome, counted, the first of them named.
    class OutcomeList {
    public:
        explicit OutcomeList(SReaderNote::Kind kind) : kind_(kind) {}
        void Add(const CString& path, const CString& what);
        void Append(OutcomeList&& later);
        void AppendTo(ReaderNotes& notes) const;

    private:
        SReaderNote::Kind kind_;
        int count_ = 0;
        std::vector<CString> named_;  ///< "path (what)" of the first kLeavesNamedPerNote
    };

    OutcomeList noType_, resized_, hidden_;
    ReaderNotes lostCharacters_;
};

/// The notes on what becomes of the leaves, as LeafOutcomeNotes gathers them; a plant's leaves are
/// looked at side by side.
void NoteLeafOutcomes(const std::vector<SFlatMember>& leaves, ReaderNotes& notes);
