// The process-wide registry of the channel row's columns: name, kind and key flag of each.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/row_limits.h"
#include "platform/cstring.h"

enum ColumnKind { kIntegerColumn = 1, kTextColumn = 2 };

struct SColumnDef {
    CString name;
    int kind;
    bool key;
};

/// Column names of the channel rows, in registry order.
namespace ColumnName {
inline constexpr const char16_t* kRwFlag = u"通道的读写标志";
inline constexpr const char16_t* kRegType = u"通道类型";
inline constexpr const char16_t* kBlock = u"DB块号";
inline constexpr const char16_t* kAddress = u"DEV通道地址";
inline constexpr const char16_t* kBit = u"通道的位";
inline constexpr const char16_t* kTypeCode = u"通道的数据类型";
inline constexpr const char16_t* kFastRead = u"DEV通道的快读标志";
inline constexpr const char16_t* kMaxBlockRead = u"数据块读的最大长度";
inline constexpr const char16_t* kChannelName = u"通道名称";
inline constexpr const char16_t* kVarName = u"连接变量名称";
inline constexpr const char16_t* kComment = u"通道注释";
}  // namespace ColumnName

/// Positions of the channel columns as DefineChannelColumns registers them.
enum ChannelColumn {
    kColRwFlag, kColRegType, kColBlock, kColAddress, kColBit, kColTypeCode,
    kColFastRead, kColMaxBlockRead, kColChannelName, kColVarName, kColComment, kChannelColumnCount
};

class CColumnRegistry {
public:
    static CColumnRegistry& Instance();

    /// Replaces the columns. The invalid-argument exception, and nothing changed, for more integer
    /// or text columns than a row holds (kMaxRowInts, kMaxRowTexts).
    void Define(std::vector<SColumnDef> columns);
    int GetCount() const { return static_cast<int>(columns_.size()); }
    const SColumnDef& Column(int index) const { return columns_[static_cast<size_t>(index)]; }
    /// The index of the column with exactly this name (case-sensitive), or the column count plus 10
    /// when there is none: every cell access with that index raises the invalid-argument exception.
    int FindColumn(const CString& name) const;
    /// The key columns in column order: they decide how rows compare.
    const std::vector<int>& KeyColumns() const { return keys_; }
    /// The number of text columns, and the place of a text column among them (-1 for another).
    int GetTextCount() const { return textCount_; }
    /// The place of a text column among them (-1 for another, and for a column past the last). Read
    /// for every cell of every row described, so reached without a call: column 0 to
    /// kMaxRowCells - 1.
    static int TextSlot(int column) { return slots_.text[static_cast<size_t>(column)]; }
    /// The place of an integer column among them, in the same way.
    static int IntSlot(int column) { return slots_.integer[static_cast<size_t>(column)]; }

private:
    std::vector<SColumnDef> columns_;
    std::vector<int> keys_;
    /// Each column's place among the columns of its kind, -1 in the other kind's entry.
    struct SSlots {
        std::array<int8_t, kMaxRowCells> integer;
        std::array<int8_t, kMaxRowCells> text;
    };
    static SSlots slots_;
    int textCount_ = 0;
    std::unordered_map<CString, int> byName_;
};

/// Registers the eleven channel columns; called once when a module that keeps channel rows is
/// loaded (the driver at process attach, the host at start). Calling it again changes nothing.
void DefineChannelColumns();
