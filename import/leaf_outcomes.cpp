#include "import/leaf_outcomes.h"

#include "core/data_types.h"
#include "import/channels_from_tags.h"
#include "platform/code_page.h"

namespace {

constexpr int kStringIndex = 19;
constexpr int kDefaultStringLength = 254;

int DeclaredLength(int declared) { return declared > 0 ? declared : kDefaultStringLength; }

/// The leaves of one outcome, counted, the first of them named.
class OutcomeList {
public:
    explicit OutcomeList(SReaderNote::Kind kind) : kind_(kind) {}

    void Add(const CString& path, const CString& what) {
        if (count_++ >= kLeavesNamedPerNote) return;
        if (!named_.IsEmpty()) named_ += u", ";
        named_ += path + u" (" + what + u")";
    }

    void AppendTo(ReaderNotes& notes) const {
        if (count_ == 0) return;
        CString detail = named_;
        if (count_ > kLeavesNamedPerNote) detail += CString::Formatted(u", ... (%d more)", count_ - kLeavesNamedPerNote);
        notes.push_back({kind_, CString(), 0, CString::Formatted(u"%d", count_), detail});
    }

private:
    SReaderNote::Kind kind_;
    int count_ = 0;
    CString named_;
};

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

void NoteLeavesWithoutTheirChannel(const std::vector<SFlatMember>& leaves, ReaderNotes& notes) {
    OutcomeList noType(SReaderNote::kNoChannelType), resized(SReaderNote::kStringResized), hidden(SReaderNote::kHiddenReadOnly);
    for (const SFlatMember& leaf : leaves) {
        const int outcome = LeafOutcomeOf(leaf);
        if (outcome & kLeafMakesNoChannel) noType.Add(leaf.Name, leaf.Type);
        if (outcome & kLeafStringResized)
            resized.Add(leaf.Name, CString::Formatted(u"%d -> %d", DeclaredLength(leaf.Length), ChannelStringLength(leaf.Length)));
        if (outcome & kLeafHiddenReadOnly) hidden.Add(leaf.Name, leaf.Type);
    }
    noType.AppendTo(notes);
    resized.AppendTo(notes);
    hidden.AppendTo(notes);
}

void NoteLostCharacters(const std::vector<SFlatMember>& leaves, ReaderNotes& notes) {
    for (const SFlatMember& leaf : leaves) {
        std::u16string lost = CharactersLostInCodePage(leaf.Name.view());
        lost += CharactersLostInCodePage(leaf.Mark.view());
        if (!lost.empty()) notes.push_back({SReaderNote::kTextNotInCodePage, CString(), 0, leaf.Name, CString(std::move(lost))});
    }
}
