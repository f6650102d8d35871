#include "core/column_registry.h"

#include <algorithm>

#include "core/dev_row.h"
#include "platform/invalid_arg.h"

CColumnRegistry& CColumnRegistry::Instance() {
    static CColumnRegistry registry;
    return registry;
}

void CColumnRegistry::Define(std::vector<SColumnDef> columns) {
    const auto texts = std::count_if(columns.begin(), columns.end(), [](const SColumnDef& c) { return c.kind == kTextColumn; });
    if (columns.size() > static_cast<size_t>(kMaxRowCells) || texts > kMaxRowTexts)
        throw CInvalidArgException("more columns than a channel row holds");
    columns_ = std::move(columns);
    keys_.clear();
    byName_.clear();
    textSlots_.assign(columns_.size(), -1);
    textCount_ = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (columns_[i].key) keys_.push_back(i);
        if (columns_[i].kind == kTextColumn) textSlots_[i] = textCount_++;
        byName_.emplace(columns_[i].name, i);
    }
}

int CColumnRegistry::FindColumn(const CString& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? GetCount() + 10 : it->second;
}

void DefineChannelColumns() {
    using namespace ColumnName;
    CColumnRegistry::Instance().Define({
        {kRwFlag, kIntegerColumn, false},
        {kRegType, kIntegerColumn, true},
        {kBlock, kIntegerColumn, true},
        {kAddress, kIntegerColumn, true},
        {kBit, kIntegerColumn, true},
        {kTypeCode, kIntegerColumn, false},
        {kFastRead, kIntegerColumn, false},
        {kMaxBlockRead, kIntegerColumn, false},
        {kChannelName, kTextColumn, false},
        {kVarName, kTextColumn, false},
        {kComment, kTextColumn, false},
    });
}
