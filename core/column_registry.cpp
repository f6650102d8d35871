#include "core/column_registry.h"

#include <algorithm>

#include "core/dev_row.h"
#include "platform/invalid_arg.h"

CColumnRegistry::SSlots CColumnRegistry::slots_ = [] {
    SSlots none;
    none.integer.fill(-1);
    none.text.fill(-1);
    return none;
}();

CColumnRegistry& CColumnRegistry::Instance() {
    static CColumnRegistry registry;
    return registry;
}

void CColumnRegistry::Define(std::vector<SColumnDef> columns) {
    const auto texts = std::count_if(columns.begin(), columns.end(), [](const SColumnDef& c) { return c.kind == kTextColumn; });
    const auto ints = static_cast<std::ptrdiff_t>(columns.size()) - texts;
    if (ints > kMaxRowInts || texts > kMaxRowTexts) throw CInvalidArgException("more columns than a channel row holds");
    columns_ = std::move(columns);
    keys_.clear();
    byName_.clear();
    slots_.integer.fill(-1);
    slots_.text.fill(-1);
    textCount_ = 0;
    int8_t intCount = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (columns_[i].key) keys_.push_back(i);
        if (columns_[i].kind == kTextColumn) slots_.text[i] = static_cast<int8_t>(textCount_++);
        else slots_.integer[i] = intCount++;
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
