// One channel: a row of cells, one per registered column.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/owner_object.h"
#include "core/row_limits.h"
#include "core/row_texts.h"
#include "platform/cstring.h"

/// A channel row. Integer columns use their entry of the integer cells, text columns their entry
/// of the text cells (each by its place among the columns of its kind); the row has as many cells
/// as the registry had columns when the row was made. A text set on an integer column, or an
/// integer set on a text column, which nothing reads but the matching getter, is kept aside.
/// Cells are found by column name or index; a name or index that is not registered raises the
/// invalid-argument exception.
class CDevRow : public COwnerObject {
public:
    CDevRow();
    CDevRow(const CDevRow& other);
    CDevRow(CDevRow&&) noexcept = default;
    CDevRow& operator=(const CDevRow& other);
    CDevRow& operator=(CDevRow&&) noexcept = default;

    int32_t GetInt(int column) const;
    int32_t GetInt(const CString& columnName) const;
    void SetInt(int column, int32_t value);
    void SetInt(const CString& columnName, int32_t value);
    /// The text of a cell: a view of the row's texts, or of buffer (a formed channel name, or a
    /// text kept in one byte per character), valid until the row's texts or buffer next change.
    std::u16string_view ReadText(int column, std::u16string& buffer) const;
    /// The characters of a text cell, one byte each, when the row keeps them so (a formed channel
    /// name is not kept): they are written to the image from there. False otherwise.
    bool ReadOneByteText(int column, std::string_view& bytes) const;
    CString GetText(int column) const;
    CString GetText(const CString& columnName) const;
    void SetText(int column, const CString& value);
    void SetText(const CString& columnName, const CString& value);
    /// Sets several text cells at once (column, text), making the row's texts once.
    void SetTexts(std::initializer_list<std::pair<int, std::u16string_view>> cells);

    /// From now on the channel name is formed from the row's cells with this read/write text
    /// whenever it is asked for, and no name is stored: a table of an import's rows then holds no
    /// names. Before a cell the name is formed from changes, the name is stored as it was. When
    /// no more texts can be numbered (ReadWriteTextNumber), or the registry has no text column for
    /// the channel name, the name is stored at once.
    void FormChannelNameWith(std::u16string_view readWriteText);
    /// The read/write text number the channel name is formed with; 0 when the name is stored.
    uint8_t ChannelNameFormedWith() const { return nameFormedWith_; }

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
    void Load(COwnerArchive& archive, int cells);
    void WriteTextCell(COwnerArchive& archive, int column, std::u16string& buffer) const;
    /// Stores a formed channel name as the row's cells give it now; nothing when it is stored.
    void StoreFormedName();
    /// The text a cell holds, without forming a channel name.
    std::u16string_view StoredText(int column, std::u16string& buffer) const;

    /// Cells of the other kind than their column's, by column.
    struct SCellsAside {
        std::vector<CString> texts;
        std::vector<int32_t> ints;
    };
    SCellsAside& Aside();

    std::array<int32_t, kMaxRowInts> ints_{};  ///< one per integer column, in column order
    CRowTexts texts_;  ///< one per text column, in column order
    /// None until a text is set on an integer column or an integer on a text column.
    std::unique_ptr<SCellsAside> aside_;
    int cellCount_ = 0;                        ///< the registry's column count when the row was made
    uint8_t nameFormedWith_ = 0;               ///< see FormChannelNameWith
};
