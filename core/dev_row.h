// One channel: a row of cells, one per registered column.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/owner_object.h"
#include "platform/cstring.h"

/// The most cells a row holds, and the most of them that are texts: a row keeps its cells in
/// itself, so that making one allocates nothing but its texts' characters (a large table holds
/// hundreds of thousands of rows). The column registry refuses a larger definition.
constexpr int kMaxRowCells = 16;
constexpr int kMaxRowTexts = 3;

/// A channel row. Integer columns use their entry of the integer cells, text columns their entry
/// of the text cells; the row has as many cells as the registry had columns when the row was made.
/// A text set on an integer column, which nothing reads, is kept aside. Cells are found by column
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

    int cellCount_ = 0;                          ///< the registry's column count when the row was made
    std::array<int32_t, kMaxRowCells> ints_{};   ///< by column
    std::array<CString, kMaxRowTexts> texts_;    ///< one per text column, in column order
    std::vector<CString> otherTexts_;            ///< by column; empty until a text is set on an integer column
};
