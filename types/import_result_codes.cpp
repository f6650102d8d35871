#include "types/import_result_codes.h"

#include <array>
#include <utility>

#include "core/text_tables.h"
#include "types/member_layout.h"

namespace {

// Entries of the tag import text table: the status texts of the codes, in the order the table
// holds them, then the layout limits' texts, then the block name check's two texts.
constexpr std::array<std::pair<int, int>, 11> kCodeEntries = {{
    {kFileLoadFailed, 4},
    {kSourceFileEmpty, 5},
    {kTagFileUnusable, 6},
    {kBlockFormatError, 7},
    {kBlockOptimized, 8},
    {kTypeFormatError, 9},
    {kTypeAttributeError, 10},
    {kSourceFormatError, 11},
    {kBlockInfoUnreadable, 12},
    {kLayoutTooLarge, 25},
    {kLayoutOffsetTooLarge, 41},
}};
constexpr int kBlockNameInvalidEntry = 14;
constexpr int kBlockNameRepeatedEntry = 15;

}  // namespace

CString ImportStatusText(int code) {
    for (const auto& [known, entry] : kCodeEntries)
        if (known == code) return Text(kTagImportTexts, entry);
    return CString();
}

std::map<int, CString> StatusMessageTable() {
    std::map<int, CString> table;
    for (const auto& [code, entry] : kCodeEntries) table.emplace(code, Text(kTagImportTexts, entry));
    return table;
}

CString BlockNameCheckText(int result) {
    if (result == kBlockNameInvalid) return Text(kTagImportTexts, kBlockNameInvalidEntry);
    if (result == kBlockNameRepeated) return Text(kTagImportTexts, kBlockNameRepeatedEntry);
    return CString();
}
