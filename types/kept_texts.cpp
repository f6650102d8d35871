#include "types/kept_texts.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_set>

namespace {

/// Hashes and compares the kept texts by their characters, so that a view finds its text.
struct STextHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>()(text); }
    size_t operator()(const CString& text) const { return (*this)(text.view()); }
};
struct STextEqual {
    using is_transparent = void;
    bool operator()(const CString& a, const CString& b) const { return a.view() == b.view(); }
    bool operator()(const CString& a, std::u16string_view b) const { return a.view() == b; }
    bool operator()(std::u16string_view a, const CString& b) const { return a == b.view(); }
};

/// The texts kept; a set's nodes never move, so a pointer to a text stays valid. Read by several
/// parsers at once, added to under the writer's lock.
struct SKeptTexts {
    std::unordered_set<CString, STextHash, STextEqual> texts;
    std::shared_mutex lock;
};

SKeptTexts& Kept() {
    static SKeptTexts kept;  // let go of with the module, once no record or leaf is left
    return kept;
}

}  // namespace

const CString* KeptText(std::u16string_view text) {
    SKeptTexts& kept = Kept();
    {
        std::shared_lock<std::shared_mutex> reading(kept.lock);
        if (const auto found = kept.texts.find(text); found != kept.texts.end()) return &*found;
    }
    std::unique_lock<std::shared_mutex> adding(kept.lock);
    return &*kept.texts.emplace(CString(text)).first;
}
