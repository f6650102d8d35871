#include "import/leaf_outcomes.h"

#include "core/data_types.h"
#include "import/channels_from_tags.h"
#include "platform/code_page.h"

namespace {

constexpr int kStringIndex = 19;
constexpr int kDefaultStringLength = 254;

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
    if (!named_.IsEmpty()) named_ += u", ";
    named_ += path + u" (" + what + u")";
}

void LeafOutcomeNotes::OutcomeList::AppendTo(ReaderNotes& notes) const {
    if (count_ == 0) return;
    CString detail = named_;
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

void LeafOutcomeNotes::AppendTo(ReaderNotes& notes) const {
    noType_.AppendTo(notes);
    resized_.AppendTo(notes);
    hidden_.AppendTo(notes);
    notes.insert(notes.end(), lostCharacters_.begin(), lostCharacters_.end());
}

void NoteLeafOutcomes(const std::vector<SFlatMember>& leaves, ReaderNotes& notes) {
    LeafOutcomeNotes outcomes;
    for (const SFlatMember& leaf : leaves) outcomes.Add(leaf);
    outcomes.AppendTo(notes);
}
