// The device's channel table: rows kept in ascending key order.
#pragma once

#include <cstdint>
#include <vector>

#include "core/dev_row.h"
#include "core/owner_object.h"

/// The channels of one device. Rows are stored by value in ascending key order (register type,
/// block, address, bit). The table remembers whether it is sorted (an image may have stored it
/// otherwise), so that a merge can find its place by binary search and fall back to scanning.
class CDevTable : public COwnerObject {
public:
    int GetRowCount() const { return static_cast<int>(rows_.size()); }
    /// The row at index; the invalid-argument exception outside 0 to count - 1.
    const CDevRow& GetRow(int index) const;
    /// The row at index, for changing cells that are not keys (a key change goes through MergeRows).
    CDevRow& EditRow(int index);
    const std::vector<CDevRow>& Rows() const { return rows_; }

    /// Merges rows given in ascending key order. Returns -1 (nothing changed) for no rows. With
    /// merge false the rows are appended at the end; otherwise they go where their keys belong and
    /// replace every row whose key lies within the new block's first and last key. Returns the
    /// position of the first new row.
    int MergeRows(std::vector<CDevRow> rows, bool merge);
    /// Removes the row at index, moving the later rows down.
    void RemoveRow(int index);
    void RemoveAllRows();
    /// Hands every row over and leaves the table empty, as RemoveAllRows does.
    std::vector<CDevRow> TakeRows();
    /// Removes rows as a walk from the last to the first of ascending indices does, one RemoveRow
    /// each, skipping an index at or past the current row count: an index given twice removes two
    /// neighbouring rows. Done in one pass over the table.
    void RemoveRowsAt(const std::vector<int>& ascendingIndices);

    bool IsSorted() const { return sorted_; }
    /// The count field as last set (rows after every change, and when stored).
    int32_t GetCountField() const { return count_; }

    void Serialize(COwnerArchive& archive) override;

private:
    /// Where a merge puts its first row and where the replaced rows end, as the specified scans from
    /// the end of the table find them (by binary search while the table is sorted).
    int FindMergeStart(const CDevRow& first) const;
    int FindMergeEnd(const CDevRow& last) const;
    void Replace(int start, int end, std::vector<CDevRow>& rows);
    void UpdateCount() { count_ = GetRowCount(); }
    /// Writes every row in order; a large table is stored in parts side by side.
    void StoreRows(COwnerArchive& archive);

    int32_t count_ = 0;
    std::vector<CDevRow> rows_;
    bool sorted_ = true;
};

/// True when the rows are in ascending (non-decreasing) key order.
bool RowsAreSorted(const std::vector<CDevRow>& rows);
