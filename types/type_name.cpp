#include "types/type_name.h"

#include <unordered_map>

#include "types/kept_texts.h"
#include "types/synthetic_structures.h"

namespace {

/// The text kept for this name. Each thread remembers the names it has asked for: the members of
/// a large source name a few types over and over, and are read on several threads at once.
const CString* Kept(std::u16string_view text) {
    thread_local std::unordered_map<std::u16string_view, const CString*> known;
    if (const auto found = known.find(text); found != known.end()) return found->second;
    const CString* name = KeptText(text);
    known.emplace(name->view(), name);
    return name;
}

bool IsHeldAlone(std::u16string_view text) { return IsSyntheticStructName(text) || text.size() > CTypeName::kMaxKeptTypeName; }

}  // namespace

CTypeName::CTypeName(std::u16string_view text) {
    if (text.empty()) return;
    if (IsHeldAlone(text)) bits_ = reinterpret_cast<uintptr_t>(new CString(text)) | kHeldAlone;
    else bits_ = reinterpret_cast<uintptr_t>(Kept(text));
}

const CString& CTypeName::Text() const {
    static const CString empty;
    return bits_ ? *Pointer() : empty;
}

uintptr_t CTypeName::Copied() const {
    if (!(bits_ & kHeldAlone)) return bits_;
    return reinterpret_cast<uintptr_t>(new CString(*Pointer())) | kHeldAlone;
}

void CTypeName::LetGo() {
    if (bits_ & kHeldAlone) delete Pointer();
    bits_ = 0;
}
