#include "import/block_name_notes.h"

#include <map>
#include <string>

#include "import/db_file_info_derivation.h"
#include "types/source_lines.h"
#include "types/source_text.h"

namespace {

/// How much of a file's first line a note repeats: enough to recognise it, not a whole file that
/// has no line ends.
constexpr size_t kLineShown = 120;

std::u16string FirstLineOf(const CString& path) {
    SourceText text;
    if (!ReadSourceText(path, text)) return {};
    std::u16string buffer;
    return std::u16string(Trimmed(text.FirstLine(buffer)).substr(0, kLineShown));
}

/// A data type source starts with its first type, as TIA Portal writes it: TYPE "Name".
bool HoldsDataTypes(const CString& path) {
    const std::u16string line = FirstLineOf(path);
    return line.starts_with(u"TYPE ") || line == u"TYPE";
}

}  // namespace

ReaderNotes BlockNameNotes(const DbFileMap& list) {
    ReaderNotes notes;
    std::map<CString, CString> firstFileOf;
    for (const auto& [path, info] : list) {
        if (!IsValidBlockName(info.BlockName)) {
            if (HoldsDataTypes(path)) notes.push_back({SReaderNote::kTypeSourceAsBlock, path, 0, info.BlockName, CString()});
            else notes.push_back({SReaderNote::kBlockNameInvalid, path, 0, info.BlockName, CString()});
            continue;
        }
        const auto [first, added] = firstFileOf.try_emplace(info.BlockName, path);
        if (!added) notes.push_back({SReaderNote::kBlockNameRepeated, first->second, 0, info.BlockName, path});
    }
    return notes;
}

SReaderNote BlockInfoNote(const CString& path) {
    return {SReaderNote::kRefusedLine, path, 1, CString(FirstLineOf(path)), CString()};
}
