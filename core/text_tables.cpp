#include "core/text_tables.h"

#include <array>

#include "core/builtin_texts.h"

namespace {

std::array<STextTable, kTextTableCount>& Tables() {
    static std::array<STextTable, kTextTableCount> tables;
    return tables;
}

}  // namespace

STextTable& TextTable(TextTableId id) {
    auto& tables = Tables();
    if (tables[kDeviceNameText].entries.empty()) ResetBuiltinTexts();
    return tables[id];
}

const CString& Text(TextTableId id, int entry) {
    static const CString empty;
    const STextTable& table = TextTable(id);
    return entry >= 0 && static_cast<size_t>(entry) < table.entries.size() ? table.entries[entry] : empty;
}

void ResetBuiltinTexts() {
    for (const SBuiltinTextTable& builtin : BuiltinTextTables()) {
        STextTable& table = Tables()[builtin.id];
        table.firstNumber = builtin.firstNumber;
        table.lastNumber = builtin.lastNumber;
        table.entries.assign(builtin.texts.begin(), builtin.texts.end());
    }
}
