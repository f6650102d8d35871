#include "core/dev_row.h"

#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "platform/invalid_arg.h"

CDevRow::CDevRow() : cellCount_(CColumnRegistry::Instance().GetCount()) {}

size_t CDevRow::Checked(int column) const {
    if (column < 0 || column >= cellCount_) throw CInvalidArgException("column not in the registry");
    return static_cast<size_t>(column);
}

int32_t CDevRow::GetInt(int column) const { return ints_[Checked(column)]; }
void CDevRow::SetInt(int column, int32_t value) { ints_[Checked(column)] = value; }
CString& CDevRow::TextCell(int column) {
    const size_t index = Checked(column);
    const int slot = CColumnRegistry::Instance().TextSlot(column);
    if (slot >= 0) return texts_[static_cast<size_t>(slot)];
    if (otherTexts_.empty()) otherTexts_.resize(static_cast<size_t>(cellCount_));
    return otherTexts_[index];
}

const CString& CDevRow::GetText(int column) const {
    static const CString kEmpty;
    const size_t index = Checked(column);
    const int slot = CColumnRegistry::Instance().TextSlot(column);
    if (slot >= 0) return texts_[static_cast<size_t>(slot)];
    return otherTexts_.empty() ? kEmpty : otherTexts_[index];
}

void CDevRow::SetText(int column, CString value) { TextCell(column) = std::move(value); }

int32_t CDevRow::GetInt(const CString& name) const { return GetInt(CColumnRegistry::Instance().FindColumn(name)); }
void CDevRow::SetInt(const CString& name, int32_t value) { SetInt(CColumnRegistry::Instance().FindColumn(name), value); }
const CString& CDevRow::GetText(const CString& name) const { return GetText(CColumnRegistry::Instance().FindColumn(name)); }
void CDevRow::SetText(const CString& name, CString value) { SetText(CColumnRegistry::Instance().FindColumn(name), std::move(value)); }

int CDevRow::CompareKeys(const CDevRow& other) const {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    for (int column : registry.KeyColumns()) {
        if (registry.Column(column).kind == kTextColumn) {
            int order = GetText(column).Compare(other.GetText(column));
            if (order != 0) return order;
            continue;
        }
        const uint32_t a = static_cast<uint32_t>(ints_[column]), b = static_cast<uint32_t>(other.ints_[column]);
        if (a != b) return a < b ? -1 : 1;
    }
    return 0;
}

void CDevRow::Serialize(COwnerArchive& archive) {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    int cells = registry.GetCount();
    if (!archive.IsStoring()) {
        const uint16_t version = archive.PeekVersion();
        if (version > kFormatVersion) return;
        if (version < kFormatVersion) cells -= 2;  // older rows end before the variable name and comment
    }
    for (int i = 0; i < cells && i < cellCount_; ++i) {
        const bool text = registry.Column(i).kind == kTextColumn;
        if (archive.IsStoring()) {
            if (text) archive << GetText(i);
            else archive << ints_[i];
        } else {
            if (text) archive >> TextCell(i);
            else archive >> ints_[i];
        }
    }
}
