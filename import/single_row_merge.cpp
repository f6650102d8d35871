#include "import/single_row_merge.h"

#include <algorithm>
#include <numeric>

namespace {

/// The new rows in key order, one per key: the last given of each key.
std::vector<CDevRow> LastRowOfEachKey(std::vector<CDevRow>& rows) {
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rows[a] < rows[b]; });
    std::vector<CDevRow> kept;
    kept.reserve(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        if (i + 1 == order.size() || rows[order[i]] < rows[order[i + 1]]) kept.push_back(std::move(rows[order[i]]));
    return kept;
}

}  // namespace

void MergeSingleRows(CDevTable& table, std::vector<CDevRow> rows) {
    if (rows.empty()) return;
    if (!table.IsSorted()) {
        for (CDevRow& row : rows) table.MergeRows({std::move(row)}, true);
        return;
    }
    std::vector<CDevRow> incoming = LastRowOfEachKey(rows);
    const std::vector<CDevRow>& existing = table.Rows();
    std::vector<CDevRow> merged;
    merged.reserve(existing.size() + incoming.size());
    size_t i = 0;
    for (CDevRow& row : incoming) {
        for (; i < existing.size() && existing[i] < row; ++i) merged.push_back(existing[i]);
        for (; i < existing.size() && existing[i] == row; ++i) {}  // replaced by the new row
        merged.push_back(std::move(row));
    }
    merged.insert(merged.end(), existing.begin() + static_cast<std::ptrdiff_t>(i), existing.end());
    table.RemoveAllRows();
    table.MergeRows(std::move(merged), false);
}
