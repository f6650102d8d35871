#include "types/block_name.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_set>

namespace {

/// Hashes and compares the kept names by their text, so that a view finds its name.
struct SNameHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>()(text); }
    size_t operator()(const CString& name) const { return (*this)(name.view()); }
};
struct SNameEqual {
    using is_transparent = void;
    bool operator()(const CString& a, const CString& b) const { return a.view() == b.view(); }
    bool operator()(const CString& a, std::u16string_view b) const { return a.view() == b; }
    bool operator()(std::u16string_view a, const CString& b) const { return a == b.view(); }
};

/// The names kept; a set's nodes never move, so a pointer to a name stays valid. Read by several
/// parsers at once, added to under the writer's lock.
struct SKeptNames {
    std::unordered_set<CString, SNameHash, SNameEqual> names;
    std::shared_mutex lock;
};

SKeptNames& Kept() {
    static SKeptNames kept;  // let go of with the module, once no record or leaf is left
    return kept;
}

const CString* KeptName(std::u16string_view text) {
    SKeptNames& kept = Kept();
    {
        std::shared_lock<std::shared_mutex> reading(kept.lock);
        if (const auto found = kept.names.find(text); found != kept.names.end()) return &*found;
    }
    std::unique_lock<std::shared_mutex> adding(kept.lock);
    return &*kept.names.emplace(CString(text)).first;
}

}  // namespace

CBlockName::CBlockName(std::u16string_view name) {
    // A parser names every record of a block, and every tag of a table, after the same few
    // blocks: the last name this thread kept is tried first, without the lock.
    thread_local const CString* last = nullptr;
    if (last && last->view() == name) {
        name_ = last;
        return;
    }
    name_ = KeptName(name);
    last = name_;
}

const CString& CBlockName::Empty() {
    static const CString* empty = KeptName({});
    return *empty;
}
