#include "import/leaf_outcomes.h"

#include "core/data_types.h"
#include "import/channels_from_tags.h"

namespace {

/// The length a string channel gets for a declared length (none: the TIA default of 254).
int ChannelStringLength(int declared) {
    const int length = declared > 0 ? declared : 254;
    return length < kMinStringLength ? kMinStringLength : length > kMaxStringLength ? kMaxStringLength : length;
}

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

void NoteLeavesWithoutTheirChannel(const std::vector<SFlatMember>& leaves, ReaderNotes& notes) {
    OutcomeList noType(SReaderNote::kNoChannelType), resized(SReaderNote::kStringResized), hidden(SReaderNote::kHiddenReadOnly);
    constexpr int kStringIndex = 19;
    for (const SFlatMember& leaf : leaves) {
        const int typeIndex = ChannelTypeIndexOf(leaf.Type);
        if (typeIndex < 0) {
            noType.Add(leaf.Name, leaf.Type);
            continue;
        }
        if (typeIndex == kStringIndex && ChannelStringLength(leaf.Length) != (leaf.Length > 0 ? leaf.Length : 254))
            resized.Add(leaf.Name, CString::Formatted(u"%d -> %d", leaf.Length > 0 ? leaf.Length : 254, ChannelStringLength(leaf.Length)));
        if (leaf.Read != 1 && leaf.Write != 1) hidden.Add(leaf.Name, leaf.Type);
    }
    noType.AppendTo(notes);
    resized.AppendTo(notes);
    hidden.AppendTo(notes);
}
