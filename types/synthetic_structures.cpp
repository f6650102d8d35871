#include "types/synthetic_structures.h"

#include <unordered_set>
#include <vector>

bool IsSyntheticStructName(std::u16string_view name) { return name.size() >= 2 && name.front() == u'{' && name.back() == u'}'; }

void DropLeftoverSyntheticStructs(StructMap& structures) {
    // Walks from the declared structures through the synthetic types their members name.
    std::unordered_set<std::u16string_view> used;
    std::vector<const std::vector<SMemberInfo>*> toVisit;
    for (const auto& [header, members] : structures)
        if (!IsSyntheticStructName(header.Name)) toVisit.push_back(&members);
    while (!toVisit.empty()) {
        const std::vector<SMemberInfo>& members = *toVisit.back();
        toVisit.pop_back();
        for (const SMemberInfo& member : members) {
            if (!IsSyntheticStructName(member.Type) || !used.insert(member.Type.view()).second) continue;
            const auto found = structures.find(member.Type.view());
            if (found != structures.end()) toVisit.push_back(&found->second);
        }
    }
    for (auto entry = structures.begin(); entry != structures.end();) {
        if (IsSyntheticStructName(entry->first.Name) && !used.contains(entry->first.Name.view())) entry = structures.erase(entry);
        else ++entry;
    }
}
