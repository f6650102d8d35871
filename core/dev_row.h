// One channel: a row of cells, one per registered column.
#pragma once

#include <cstdint>
#include <vector>

#include "core/owner_object.h"
#include "platform/cstring.h"

/// A channel row. Integer columns use their entry of the integer list, text columns their entry of
/// the text list. The integer list is sized to the column count when the row is made; the text list
/// holds only the text columns' entries, since a large table holds hundreds of thousands of rows
/// (a text set on an integer column, which nothing reads, is kept aside). Cells are found by column
/// name or index; a name or index that is not registered raises the invalid-argument exception.
class CDevRow : public COwnerObject {
public:
    CDevRow();

    int32_t GetInt(int column) const;
    int32_t GetInt(const CString& columnName) const;
    void SetInt(int column, int32_t value);
    void SetInt(const CString& columnName, int32_t value);
    const CString& GetText(int column) const;
    const CString& GetText(const CString& columnName) const;
    void SetText(int column, CString value);
    void SetText(const CString& columnName, CString value);

    /// Compares the key cells in column order; integer cells as unsigned 32-bit numbers, text cells
    /// case-sensitively. Negative, 0 or positive.
    int CompareKeys(const CDevRow& other) const;
    bool operator<(const CDevRow& other) const { return CompareKeys(other) < 0; }
    bool operator>(const CDevRow& other) const { return CompareKeys(other) > 0; }
    bool operator<=(const CDevRow& other) const { return CompareKeys(other) <= 0; }
    bool operator>=(const CDevRow& other) const { return CompareKeys(other) >= 0; }
    /// Equal keys: the rows stand for the same channel, whatever their other cells.
    bool operator==(const CDevRow& other) const { return CompareKeys(other) == 0; }

    /// Writes every cell in column order; reads them back by the image's format version (rows of
    /// images before 20001 lack the last two text cells).
    void Serialize(COwnerArchive& archive) override;

private:
    size_t Checked(int column) const;
    CString& TextCell(int column);

    std::vector<int32_t> ints_;
    std::vector<CString> texts_;       ///< one per text column, in column order
    std::vector<CString> otherTexts_;  ///< by column; empty until a text is set on an integer column
};
