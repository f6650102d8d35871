#include "import/single_row_merge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <numeric>

#include "core/column_registry.h"

namespace {

/// The key cells of a row as the rows compare them: unsigned, in key column order.
struct SRowKey {
    std::array<uint32_t, 4> cells{};
    size_t position = 0;  ///< the row's place among the new rows: the later one of a key wins
};

/// True when every key column holds integers and there are at most four: then keys can be
/// compared as arrays of numbers, which sorts a large import many times faster than comparing rows.
bool KeysAreNumbers() {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    const std::vector<int>& keys = registry.KeyColumns();
    return keys.size() <= 4 && std::all_of(keys.begin(), keys.end(), [&](int c) { return registry.Column(c).kind == kIntegerColumn; });
}

/// The places of the new rows in key order, one per key: the last given of each key.
std::vector<size_t> LastOfEachKey(const std::vector<CDevRow>& rows) {
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
    for (size_t i = 0; i < rows.size(); ++i) {
        for (size_t c = 0; c < columns.size(); ++c) keys[i].cells[c] = static_cast<uint32_t>(rows[i].GetInt(columns[c]));
        keys[i].position = i;
    }
    std::sort(keys.begin(), keys.end(), [](const SRowKey& a, const SRowKey& b) {
        return a.cells != b.cells ? a.cells < b.cells : a.position < b.position;
    });
    // Equal keys are neighbours now, in the order given: the last of each run wins.
    for (size_t i = 0; i < keys.size(); ++i)
        if (i + 1 == keys.size() || keys[i].cells != keys[i + 1].cells) kept.push_back(keys[i].position);
    return kept;
}

/// Moves the rows at the kept places to the front, in the order of kept, and drops the others:
/// the rows are permuted in place, one cycle after the other, so no second list of rows is made.
void KeepInOrder(std::vector<CDevRow>& rows, const std::vector<size_t>& kept) {
    constexpr size_t kDropped = SIZE_MAX;
    std::vector<size_t> target(rows.size(), kDropped);  // where the row at each place goes
    for (size_t j = 0; j < kept.size(); ++j) target[kept[j]] = j;
    size_t next = kept.size();
    for (size_t& place : target)
        if (place == kDropped) place = next++;
    for (size_t p = 0; p < rows.size(); ++p) {
        while (target[p] != p) {
            const size_t q = target[p];
            std::swap(rows[p], rows[q]);
            std::swap(target[p], target[q]);
        }
    }
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept.size()), rows.end());
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
    if (rows.empty()) return;
    if (!table.IsSorted()) {
        for (CDevRow& row : rows) table.MergeRows({std::move(row)}, true);
        return;
    }
    KeepInOrder(rows, LastOfEachKey(rows));
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
