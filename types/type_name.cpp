#include "types/type_name.h"

#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "types/synthetic_structures.h"

namespace {

/// The text kept for the whole program for this name. Each thread remembers the names it has
/// asked for, so that the lock is taken once per name and thread, not once per member read.
const CString* Kept(std::u16string_view text) {
    thread_local std::unordered_map<std::u16string_view, const CString*> known;
    if (const auto found = known.find(text); found != known.end()) return found->second;
    static std::mutex mutex;
    // Never destroyed: type names made by static objects stay valid until the very end.
    static auto* const names = new std::unordered_set<CString>();
    const CString* name = nullptr;
    {
        const std::lock_guard lock(mutex);
        name = &*names->emplace(CString(text)).first;
    }
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
