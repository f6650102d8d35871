// What a lookup gave for each type name kept for the whole program, remembered by the name's text.
#pragma once

#include <unordered_map>

#include "types/type_name.h"

/// Remembers what find gave for each kept type name met so far (CTypeName::IsKept), by the place
/// of its kept text: a plant's half a million members and leaves name a few dozen types, which
/// are then found by that place instead of hashing the name each time. A name that is not kept
/// (an inline structure's, a very long one) is looked up every time. find must give the same for
/// the same name while the memo is in use; one thread uses a memo at a time.
template <typename Value>
class KeptNameMemo {
public:
    template <typename Find>
    Value Of(const CTypeName& name, Find find) {
        if (!name.IsKept()) return find(name.Text());
        const auto [found, added] = known_.try_emplace(&name.Text());
        if (added) found->second = find(name.Text());
        return found->second;
    }

private:
    std::unordered_map<const CString*, Value> known_;
};
