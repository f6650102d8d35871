#include "import/single_row_merge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <numeric>

#include "core/column_registry.h"
#include "platform/freed_memory.h"
#include "platform/parallel.h"

namespace {

/// The key cells of a row as the rows compare them, unsigned and in key column order, packed two
/// to a number: the first two in high, the other two in low, so that keys compare as two numbers.
struct SRowKey {
    uint64_t high = 0;
    uint64_t low = 0;
    size_t position = 0;  ///< the row's place among the new rows: the later one of a key wins

    bool SameKey(const SRowKey& other) const { return high == other.high && low == other.low; }
};

/// True when every key column holds integers and there are at most four: then keys can be
/// compared as arrays of numbers, which sorts a large import many times faster than comparing rows.
bool KeysAreNumbers() {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    const std::vector<int>& keys = registry.KeyColumns();
    return keys.size() <= 4 && std::all_of(keys.begin(), keys.end(), [&](int c) { return registry.Column(c).kind == kIntegerColumn; });
}

/// The new rows in the order given, held in consecutive parts (built side by side), each found
/// by its place in the whole.
class RowParts {
public:
    explicit RowParts(std::vector<std::vector<CDevRow>>& parts) : parts_(parts) {
        for (const std::vector<CDevRow>& part : parts_) {
            starts_.push_back(count_);
            count_ += part.size();
        }
    }
    size_t size() const { return count_; }
    CDevRow& operator[](size_t place) {
        const size_t part = PartOf(place);
        return parts_[part][place - starts_[part]];
    }
    /// The part a place lies in: the last part starting at or before it (an empty part shares its
    /// start with the next).
    size_t PartOf(size_t place) const {
        return static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), place) - starts_.begin()) - 1;
    }
    /// Calls visit(place, row) for every row in order.
    template <typename Visit>
    void ForEach(Visit visit) {
        size_t place = 0;
        for (std::vector<CDevRow>& part : parts_)
            for (CDevRow& row : part) visit(place++, row);
    }
    /// The place of the first row of a part in the whole.
    size_t StartOf(size_t part) const { return starts_[part]; }
    std::vector<std::vector<CDevRow>>& Parts() { return parts_; }

private:
    std::vector<std::vector<CDevRow>>& parts_;
    std::vector<size_t> starts_;
    size_t count_ = 0;
};

/// The places of the new rows in key order, one per key: the last given of each key.
std::vector<size_t> LastOfEachKey(RowParts& rows) {
    std::vector<size_t> kept;
    kept.reserve(rows.size());
    if (!KeysAreNumbers()) {
        std::vector<size_t> order(rows.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rows[a] < rows[b]; });
        for (size_t i = 0; i < order.size(); ++i)
            if (i + 1 == order.size() || rows[order[i]] < rows[order[i + 1]]) kept.push_back(order[i]);
        return kept;
    }
    const std::vector<int>& columns = CColumnRegistry::Instance().KeyColumns();
    std::vector<SRowKey> keys(rows.size());
    auto keyOrder = [](const SRowKey& a, const SRowKey& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        return a.position < b.position;
    };
    // The keys of each part are taken and sorted side by side (the parts were built so), then the
    // sorted runs are merged.
    std::vector<std::vector<CDevRow>>& parts = rows.Parts();
    RunParts(static_cast<int>(parts.size()), [&](int index) {
        const size_t part = static_cast<size_t>(index), start = rows.StartOf(part);
        for (size_t i = 0; i < parts[part].size(); ++i) {
            std::array<uint32_t, 4> cells{};
            for (size_t c = 0; c < columns.size(); ++c) cells[c] = static_cast<uint32_t>(parts[part][i].GetInt(columns[c]));
            SRowKey& key = keys[start + i];
            key.high = uint64_t{cells[0]} << 32 | cells[1];
            key.low = uint64_t{cells[2]} << 32 | cells[3];
            key.position = start + i;
        }
        const auto first = keys.begin() + static_cast<std::ptrdiff_t>(start);
        std::sort(first, first + static_cast<std::ptrdiff_t>(parts[part].size()), keyOrder);
    });
    for (size_t part = 1; part < parts.size(); ++part) {
        const auto middle = keys.begin() + static_cast<std::ptrdiff_t>(rows.StartOf(part));
        std::inplace_merge(keys.begin(), middle, middle + static_cast<std::ptrdiff_t>(parts[part].size()), keyOrder);
    }
    // Equal keys are neighbours now, in the order given: the last of each run wins.
    for (size_t i = 0; i < keys.size(); ++i)
        if (i + 1 == keys.size() || !keys[i].SameKey(keys[i + 1])) kept.push_back(keys[i].position);
    return kept;
}

/// Destroys the rows of a part and gives its list's pages back before the list itself is freed:
/// a list freed in the middle of the allocator's heap would otherwise still take memory.
void LetGoOf(std::vector<CDevRow>& part) {
    LetGoOfItemsFrom(part, 0);
    std::vector<CDevRow>().swap(part);
}

/// The rows at the kept places, in the order of kept; the others are dropped. A single part
/// already in that order (one block, say) is handed on as it is; a new list has room for room
/// more rows, so that the rows merged in after it do not move it again.
std::vector<CDevRow> KeptInOrder(RowParts& rows, const std::vector<size_t>& kept, size_t room) {
    bool identity = rows.Parts().size() == 1 && kept.size() == rows.size();
    for (size_t j = 0; identity && j < kept.size(); ++j) identity = kept[j] == j;
    if (identity) return std::move(rows.Parts().front());
    // Gathered into a new list, each row moved once: a permutation in place would swap rows all
    // over a large list, a cache miss at every step. A part whose kept rows have all been moved is
    // let go of at once, so that the new list and all the parts are not held together.
    std::vector<size_t> keptIn(rows.Parts().size(), 0);
    for (size_t place : kept) ++keptIn[rows.PartOf(place)];
    for (size_t part = 0; part < keptIn.size(); ++part)
        if (keptIn[part] == 0) LetGoOf(rows.Parts()[part]);
    std::vector<CDevRow> ordered;
    ordered.reserve(kept.size() + room);
    for (size_t place : kept) {
        const size_t part = rows.PartOf(place);
        ordered.push_back(std::move(rows[place]));
        if (--keptIn[part] == 0) LetGoOf(rows.Parts()[part]);
    }
    return ordered;
}

/// The existing rows whose key no new row has, in their order. Both lists are in key order.
std::vector<CDevRow> Survivors(std::vector<CDevRow>& existing, const std::vector<CDevRow>& incoming) {
    std::vector<CDevRow> survivors;
    size_t j = 0;
    for (CDevRow& row : existing) {
        while (j < incoming.size() && incoming[j] < row) ++j;
        if (j == incoming.size() || !(incoming[j] == row)) survivors.push_back(std::move(row));  // else replaced
    }
    return survivors;
}

}  // namespace

void MergeSingleRows(CDevTable& table, std::vector<CDevRow> rows) {
    std::vector<std::vector<CDevRow>> parts;
    parts.push_back(std::move(rows));
    MergeSingleRows(table, std::move(parts));
}

void MergeSingleRows(CDevTable& table, std::vector<std::vector<CDevRow>> parts) {
    RowParts given(parts);
    if (given.size() == 0) return;
    if (!table.IsSorted()) {
        given.ForEach([&](size_t, CDevRow& row) { table.MergeRows({std::move(row)}, true); });
        return;
    }
    // Room for the table's rows too: those that survive are merged into this list.
    std::vector<CDevRow> rows = KeptInOrder(given, LastOfEachKey(given), static_cast<size_t>(table.GetRowCount()));
    std::vector<std::vector<CDevRow>>().swap(parts);
    ReturnFreedMemory();  // the parts' lists lie among the allocator's pages: given back before more is taken
    std::vector<CDevRow> existing = table.TakeRows();
    std::vector<CDevRow> survivors = Survivors(existing, rows);
    std::vector<CDevRow>().swap(existing);
    // The survivors' keys differ from every new row's: merged from the back into the new rows' list.
    size_t newRows = rows.size(), left = survivors.size();
    rows.resize(newRows + left);
    for (size_t out = rows.size(); left > 0;) {
        if (newRows > 0 && survivors[left - 1] < rows[newRows - 1]) rows[--out] = std::move(rows[--newRows]);
        else rows[--out] = std::move(survivors[--left]);
    }
    table.MergeRows(std::move(rows), false);
}
