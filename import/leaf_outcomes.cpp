#include "import/leaf_outcomes.h"

#include "core/data_types.h"
#include "import/channels_from_tags.h"
#include "platform/code_page.h"
#include "platform/parallel.h"

namespace {

constexpr int kStringIndex = 19;
constexpr int kDefaultStringLength = 254;
/// The fewest leaves worth a part of their own when leaves are looked at side by side.
constexpr size_t kLeavesNotedPerPart = 20000;

int DeclaredLength(int declared) { return declared > 0 ? declared : kDefaultStringLength; }

}  // namespace

int ChannelStringLength(int declared) {
    const int length = DeclaredLength(declared);
    return length < kMinStringLength ? kMinStringLength : length > kMaxStringLength ? kMaxStringLength : length;
}

int LeafOutcomeOf(const SFlatMember& leaf) {
    const int typeIndex = ChannelTypeIndexOf(leaf.Type);
    if (typeIndex < 0) return kLeafMakesNoChannel;
    int outcome = 0;
    if (typeIndex == kStringIndex && ChannelStringLength(leaf.Length) != DeclaredLength(leaf.Length)) outcome |= kLeafStringResized;
    if (leaf.Read != 1 && leaf.Write != 1) outcome |= kLeafHiddenReadOnly;
    return outcome;
}

void LeafOutcomeNotes::OutcomeList::Add(const CString& path, const CString& what) {
    if (count_++ >= kLeavesNamedPerNote) return;
    named_.push_back(path + u" (" + what + u")");
}

void LeafOutcomeNotes::OutcomeList::Append(OutcomeList&& later) {
    count_ += later.count_;
    for (CString& named : later.named_) {
        if (named_.size() >= static_cast<size_t>(kLeavesNamedPerNote)) break;
        named_.push_back(std::move(named));
    }
}

void LeafOutcomeNotes::OutcomeList::AppendTo(ReaderNotes& notes) const {
    if (count_ == 0) return;
    CString detail;
    for (const CString& named : named_) {
        if (!detail.IsEmpty()) detail += u", ";
        detail += named;
    }
    if (count_ > kLeavesNamedPerNote) detail += CString::Formatted(u", ... (%d more)", count_ - kLeavesNamedPerNote);
    notes.push_back({kind_, CString(), 0, CString::Formatted(u"%d", count_), detail});
}

LeafOutcomeNotes::LeafOutcomeNotes()
    : noType_(SReaderNote::kNoChannelType), resized_(SReaderNote::kStringResized), hidden_(SReaderNote::kHiddenReadOnly) {}

void LeafOutcomeNotes::Add(const SFlatMember& leaf) {
    const int outcome = LeafOutcomeOf(leaf);
    if (outcome & kLeafMakesNoChannel) noType_.Add(leaf.Name, leaf.Type);
    if (outcome & kLeafStringResized)
        resized_.Add(leaf.Name, CString::Formatted(u"%d -> %d", DeclaredLength(leaf.Length), ChannelStringLength(leaf.Length)));
    if (outcome & kLeafHiddenReadOnly) hidden_.Add(leaf.Name, leaf.Type);
    std::u16string lost = CharactersLostInCodePage(leaf.Name.view());
    lost += CharactersLostInCodePage(leaf.Mark.view());
    if (!lost.empty()) lostCharacters_.push_back({SReaderNote::kTextNotInCodePage, CString(), 0, leaf.Name, CString(std::move(lost))});
}

void LeafOutcomeNotes::Append(LeafOutcomeNotes&& later) {
    noType_.Append(std::move(later.noType_));
    resized_.Append(std::move(later.resized_));
    hidden_.Append(std::move(later.hidden_));
    lostCharacters_.insert(lostCharacters_.end(), std::make_move_iterator(later.lostCharacters_.begin()),
                           std::make_move_iterator(later.lostCharacters_.end()));
}

void LeafOutcomeNotes::AppendTo(ReaderNotes& notes) const {
    noType_.AppendTo(notes);
    resized_.AppendTo(notes);
    hidden_.AppendTo(notes);
    notes.insert(notes.end(), lostCharacters_.begin(), lostCharacters_.end());
}

void NoteLeafOutcomes(const std::vector<SFlatMember>& leaves, ReaderNotes& notes) {
    const int parts = PartsFor(leaves.size(), kLeavesNotedPerPart);
    std::vector<LeafOutcomeNotes> partNotes(static_cast<size_t>(parts));
    RunParts(parts, [&](int part) {
        const size_t end = PartBegin(leaves.size(), parts, part + 1);
        for (size_t i = PartBegin(leaves.size(), parts, part); i < end; ++i) partNotes[static_cast<size_t>(part)].Add(leaves[i]);
    });
    for (size_t part = 1; part < partNotes.size(); ++part) partNotes[0].Append(std::move(partNotes[part]));
    partNotes[0].AppendTo(notes);
}
