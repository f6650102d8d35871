// The built-in Chinese texts of the text tables.
#pragma once

#include <vector>

#include "core/text_tables.h"

struct SBuiltinTextTable {
    TextTableId id;
    int firstNumber;
    int lastNumber;
    std::vector<const char16_t*> texts;
};

const std::vector<SBuiltinTextTable>& BuiltinTextTables();
