// The elementary S7 types with their sizes in bits, and their lookup by name.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "types/type_records.h"

/// The 68 rows of the elementary type table, in table order.
std::vector<STypeSize> BuildElementaryTypes();

/// Finds elementary types by name without regard to (ASCII) case; of rows whose names differ only
/// in case, the first in table order wins.
class ElementaryTypeIndex {
public:
    explicit ElementaryTypeIndex(const std::vector<STypeSize>& table);
    /// The matching row of the table the index was built on, or null.
    const STypeSize* Find(std::u16string_view name) const;

private:
    struct NoCaseHash {
        size_t operator()(std::u16string_view text) const;
    };
    struct NoCaseEqual {
        bool operator()(std::u16string_view a, std::u16string_view b) const;
    };
    // Keys view the names held by the table; the table outlives the index.
    std::unordered_map<std::u16string_view, const STypeSize*, NoCaseHash, NoCaseEqual> byName_;
};
