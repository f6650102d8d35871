#include "core/text_tables.h"

#include <array>

namespace {

/// Built-in texts are the driver's own strings in this language.
constexpr LANGID kBuiltinLanguage = kLangChineseSimplified;

struct STableDef {
    TextTableId id;
    int firstNumber;
    int lastNumber;
    int entries;
    bool oneForOne;
};

const STableDef kTableDefs[kTextTableCount] = {
    {kDeviceNameText, 1100, 1100, 1, false},
    {kDeviceDescriptionText, 1101, 1101, 1, false},
    {kConnectionHintText, 1102, 1102, 1, false},
    {kStatusChannelText, 1103, 1103, 1, false},
    {kConnectionStateTexts, 1150, 1157, 8, false},
    {kCommErrorTexts, 1160, 1166, 7, false},
    {kParentConfigTexts, 2006, 2008, 3, true},
    {kPropertyNameTexts, 3000, 3998, 6, false},
    {kEnumValueTexts, 4000, 4998, 4, false},
    {kRegisterTypeTexts, 5000, 5998, 4, false},
    {kDataTypeTexts, 6000, 6998, 80, false},
    {kOperationTexts, 7000, 7098, 3, false},
    {kReadWriteTexts, 7100, 7198, 3, false},
    {kChannelQualityTexts, 7200, 7398, 8, false},
    {kPlcErrorTexts, 7400, 7598, 12, false},
    {kParameterNameTexts, 9000, 9098, 1, false},
    {kBlockListHeadings, 9100, 9198, 4, false},
    {kStatusListHeadings, 9200, 9298, 2, false},
    {kTagImportTexts, 9300, 9398, 43, false},  // the 26th: a layout too large; 27th to 41st and 43rd: notes; 42nd: offset too large
    {kDataTypeEditorTexts, kDataTypeEditorFirstText, 9498, 24, false},  // the 22nd to 24th: DataType.xml cannot be written or read
};

void LoadBuiltinTexts(std::array<STextTable, kTextTableCount>& tables) {
    // The driver's own module: the one that holds this code.
    const HMODULE own = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&LoadBuiltinTexts));
    for (STextTable& table : tables) {
        for (size_t i = 0; i < table.entries.size(); ++i) {
            table.entries[i].Empty();
            LoadStringW(own, table.firstNumber + static_cast<uint32_t>(i), kBuiltinLanguage, table.entries[i]);
        }
    }
}

// Made on first use, not at load: the driver's resource table registers itself while the module
// loads, in an order among the module's initialisers that nothing fixes.
std::array<STextTable, kTextTableCount>& Tables() {
    static std::array<STextTable, kTextTableCount> tables = [] {
        std::array<STextTable, kTextTableCount> made;
        for (const STableDef& def : kTableDefs)
            made[def.id] = {def.firstNumber, def.lastNumber, def.oneForOne, std::vector<CString>(static_cast<size_t>(def.entries))};
        LoadBuiltinTexts(made);
        return made;
    }();
    return tables;
}

void FillTable(STextTable& table, HMODULE module, LANGID lang) {
    if (table.oneForOne) {
        for (size_t i = 0; i < table.entries.size(); ++i) LoadStringW(module, table.firstNumber + static_cast<uint32_t>(i), lang, table.entries[i]);
        return;
    }
    size_t entry = 0;
    for (int number = table.firstNumber; number <= table.lastNumber && entry < table.entries.size(); ++number)
        if (LoadStringW(module, static_cast<uint32_t>(number), lang, table.entries[entry])) ++entry;
}

}  // namespace

STextTable& TextTable(TextTableId id) { return Tables()[id]; }

const CString& Text(TextTableId id, int entry) {
    static const CString empty;
    const STextTable& table = TextTable(id);
    return entry >= 0 && static_cast<size_t>(entry) < table.entries.size() ? table.entries[entry] : empty;
}

void FillTextTables(HMODULE module, LANGID lang) {
    for (STextTable& table : Tables()) FillTable(table, module, lang);
}

void ResetBuiltinTexts() { LoadBuiltinTexts(Tables()); }
