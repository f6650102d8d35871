#include "core/dev_table.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string_view>
#include <numeric>

#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "platform/invalid_arg.h"
#include "platform/parallel.h"

bool RowsAreSorted(const std::vector<CDevRow>& rows) {
    return std::is_sorted(rows.begin(), rows.end(), [](const CDevRow& a, const CDevRow& b) { return a < b; });
}

const CDevRow& CDevTable::GetRow(int index) const {
    if (index < 0 || index >= GetRowCount()) throw CInvalidArgException("row index outside the table");
    return rows_[static_cast<size_t>(index)];
}

CDevRow& CDevTable::EditRow(int index) { return const_cast<CDevRow&>(GetRow(index)); }

int CDevTable::FindMergeStart(const CDevRow& first) const {
    if (sorted_) {
        auto it = std::lower_bound(rows_.begin(), rows_.end(), first, [](const CDevRow& row, const CDevRow& key) { return key > row; });
        return static_cast<int>(it - rows_.begin());
    }
    for (int i = GetRowCount() - 1; i >= 0; --i)
        if (first > rows_[i]) return i + 1;
    return 0;
}

int CDevTable::FindMergeEnd(const CDevRow& last) const {
    if (sorted_) {
        auto it = std::upper_bound(rows_.begin(), rows_.end(), last, [](const CDevRow& key, const CDevRow& row) { return !(key >= row); });
        return static_cast<int>(it - rows_.begin());
    }
    for (int j = GetRowCount() - 1; j >= 0; --j)
        if (last >= rows_[j]) return j + 1;
    return 0;
}

// Rows start..end-1 give way to the new rows: overlapping places are overwritten, then the rest is
// inserted or erased, so the later rows move once.
void CDevTable::Replace(int start, int end, std::vector<CDevRow>& rows) {
    const size_t replaced = static_cast<size_t>(std::max(end - start, 0));
    const size_t overlap = std::min(replaced, rows.size());
    auto at = rows_.begin() + start;
    std::move(rows.begin(), rows.begin() + overlap, at);
    if (rows.size() > replaced)
        rows_.insert(at + overlap, std::make_move_iterator(rows.begin() + overlap), std::make_move_iterator(rows.end()));
    else
        rows_.erase(at + overlap, at + replaced);
}

int CDevTable::MergeRows(std::vector<CDevRow> rows, bool merge) {
    if (rows.empty()) return -1;
    const bool blockSorted = RowsAreSorted(rows);
    int position;
    if (rows_.empty() || !merge) {
        position = GetRowCount();
        sorted_ = sorted_ && blockSorted && (rows_.empty() || rows_.back() <= rows.front());
        // An empty table takes the new rows' list over: a large import hands all its rows at once.
        if (rows_.empty()) rows_ = std::move(rows);
        else rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    } else {
        position = FindMergeStart(rows.front());
        const int end = FindMergeEnd(rows.back());
        sorted_ = sorted_ && blockSorted;
        Replace(position, end, rows);
    }
    UpdateCount();
    return position;
}

void CDevTable::RemoveRow(int index) {
    GetRow(index);  // checks the index
    rows_.erase(rows_.begin() + index);
    rows_.shrink_to_fit();
    UpdateCount();
}

void CDevTable::RemoveAllRows() {
    rows_.clear();
    rows_.shrink_to_fit();
    sorted_ = true;
    UpdateCount();
}

std::vector<CDevRow> CDevTable::TakeRows() {
    std::vector<CDevRow> rows = std::move(rows_);
    RemoveAllRows();
    return rows;
}

void CDevTable::RemoveRowsAt(const std::vector<int>& ascendingIndices) {
    const int n = GetRowCount();
    std::vector<bool> removed(static_cast<size_t>(n), false);
    // nextAlive[i]: the first original position at or after i whose row is still there. Every row
    // removed so far lies at or after the index being walked, so the current index v names the first
    // remaining row at or after original position v.
    std::vector<int> nextAlive(static_cast<size_t>(n) + 1);
    std::iota(nextAlive.begin(), nextAlive.end(), 0);
    auto find = [&](int i) {
        int root = i;
        while (nextAlive[root] != root) root = nextAlive[root];
        while (nextAlive[i] != root) i = std::exchange(nextAlive[i], root);
        return root;
    };
    int removedCount = 0;
    for (auto it = ascendingIndices.rbegin(); it != ascendingIndices.rend(); ++it) {
        const int index = *it;
        if (index < 0 || index >= n - removedCount) continue;
        const int original = find(index);
        removed[original] = true;
        nextAlive[original] = original + 1;
        ++removedCount;
    }
    if (removedCount == 0) return;
    // Rows before the first removed one stay where they are (moving a row onto itself would empty it).
    size_t kept = static_cast<size_t>(std::find(removed.begin(), removed.end(), true) - removed.begin());
    for (size_t i = kept; i < rows_.size(); ++i)
        if (!removed[i]) rows_[kept++] = std::move(rows_[i]);
    rows_.erase(rows_.begin() + kept, rows_.end());
    rows_.shrink_to_fit();
    UpdateCount();
}

namespace {

/// The fewest bytes one stored row can take: 4 for every cell (a text is at least its count).
int MinimumRowBytes(uint16_t version) {
    const int cells = CColumnRegistry::Instance().GetCount() - (version < kFormatVersion ? 2 : 0);
    return std::max(cells, 1) * 4;
}

// A damaged image can claim far more rows than it holds. Rows past the end of the image read
// nothing and stay empty, as a cut-off image does; beyond this many such rows none are made, so a
// wild count cannot exhaust memory.
constexpr int kRowsPastEndKept = 16;

}  // namespace

namespace {

/// The fewest rows worth a part of their own when a table is stored side by side.
constexpr size_t kRowsPerPart = 25000;

/// About the bytes rows begin to end - 1 take in an image: every cell, a text at one byte for
/// each ASCII character and two for any other. Reserving them lets a large image be written
/// without copying it each time its buffer doubles.
int64_t RowBytesAbout(const std::vector<CDevRow>& rows, size_t begin, size_t end) {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    int64_t bytes = 0;
    std::u16string formed;  // a channel name formed when asked for is not stored for this
    for (size_t i = begin; i < end; ++i) {
        bytes += 4 * int64_t{registry.GetCount()};
        for (int column = 0; column < registry.GetCount(); ++column) {
            if (registry.Column(column).kind != kTextColumn) continue;
            if (std::string_view kept; rows[i].ReadOneByteText(column, kept)) {
                bytes += static_cast<int64_t>(kept.size()) + std::count_if(kept.begin(), kept.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
                continue;
            }
            const std::u16string_view text = rows[i].ReadText(column, formed);
            bytes += static_cast<int64_t>(text.size()) + std::count_if(text.begin(), text.end(), [](char16_t ch) { return ch >= 0x80; });
        }
    }
    return bytes;
}

int ClampedToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, INT32_MAX)); }

}  // namespace

void CDevTable::StoreRows(COwnerArchive& archive) {
    const size_t count = rows_.size();
    const int parts = PartsFor(count, kRowsPerPart);
    auto begin = [&](int part) { return PartBegin(count, parts, part); };
    std::vector<int64_t> bytes(static_cast<size_t>(parts));
    RunParts(parts, [&](int part) { bytes[static_cast<size_t>(part)] = RowBytesAbout(rows_, begin(part), begin(part + 1)); });
    int64_t total = archive.GetPosition();
    for (int64_t partBytes : bytes) total += partBytes;
    archive.GetBuffer().Reserve(ClampedToInt(total));
    // The rows are stored a round at a time, one part of each round for each processor: the first
    // part straight into the image, every other part into an archive of its own, whose bytes then
    // follow in order. Only a round's parts are held beside the image, not half the table. The
    // parts' archives serve every round, with room for twice a part's share of the image made at
    // once: room grown by reallocating would leave the smaller blocks behind, and room never
    // written takes no memory. Storing a row only reads it.
    const size_t roundRows = kRowsPerPart * static_cast<size_t>(parts);
    const int64_t partRoom = 2 * (total / static_cast<int64_t>(std::max<size_t>(count, 1)) + 1) * static_cast<int64_t>(kRowsPerPart);
    std::vector<std::unique_ptr<COwnerArchive>> stored(static_cast<size_t>(parts));
    for (int part = 1; part < parts; ++part) {
        stored[static_cast<size_t>(part)] = std::make_unique<COwnerArchive>(COwnerArchive::kStoring);
        stored[static_cast<size_t>(part)]->GetBuffer().Reserve(ClampedToInt(partRoom));
    }
    for (size_t first = 0; first < count; first += roundRows) {
        const size_t rows = std::min(roundRows, count - first);
        const int roundParts = PartsFor(rows, kRowsPerPart);
        auto rowOf = [&](int part) { return first + PartBegin(rows, roundParts, part); };
        RunParts(roundParts, [&](int part) {
            COwnerArchive& target = part == 0 ? archive : *stored[static_cast<size_t>(part)];
            if (part > 0) target.Rewind();
            for (size_t i = rowOf(part); i < rowOf(part + 1); ++i) rows_[i].Serialize(target);
        });
        for (int part = 1; part < roundParts; ++part)
            archive.Write(stored[static_cast<size_t>(part)]->GetBuffer().GetData(), stored[static_cast<size_t>(part)]->GetPosition());
    }
}

void CDevTable::Serialize(COwnerArchive& archive) {
    if (archive.IsStoring()) {
        UpdateCount();
        archive << count_;
        StoreRows(archive);
        return;
    }
    const uint16_t version = archive.PeekVersion();
    if (version > kFormatVersion) return;
    int32_t count = 0;
    archive >> count;
    if (count < 0) throw CInvalidArgException("negative row count in the stored image");
    const int64_t possible = archive.Remaining() / MinimumRowBytes(version) + kRowsPastEndKept;
    rows_.clear();
    rows_.resize(static_cast<size_t>(std::min<int64_t>(count, possible)));
    for (CDevRow& row : rows_) row.Serialize(archive);
    sorted_ = RowsAreSorted(rows_);
    UpdateCount();
}
