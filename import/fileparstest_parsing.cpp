// The type library's parsing operations: data block files, TIA source files and XML tag tables.
#include <algorithm>

#include "import/import_result_codes.h"
#include "import/source_lines.h"
#include "import/tag_table_reader.h"
#include "import/tia_source_parser.h"
#include "types/fileparstest.h"

namespace {

/// Runs one operation per item in order; the first negative result stops the batch and is
/// returned. A file that cannot be opened (result 1) adds nothing and does not stop it, but the
/// batch then ends with kFileLoadFailed, so that the user learns that a file was left out instead
/// of seeing an import succeed without it.
template <typename Items, typename Parse>
int ParseEach(const Items& items, Parse parse) {
    bool fileLeftOut = false;
    for (const auto& item : items) {
        const int result = parse(item);
        if (result < 0) return result;
        if (result == kFileNotOpened) fileLeftOut = true;
    }
    return fileLeftOut ? kFileLoadFailed : 1;
}

/// How a data block file names its block's record: after the block title (naming choice 0) or
/// the file name (1); any other choice adds no record.
SBlockNaming NamingOf(const SDbFileInfo& block) {
    SBlockNaming naming;
    naming.blockName = block.BlockName;
    naming.appendRecord = block.NamingChoice == 0 || block.NamingChoice == 1;
    naming.recordName = block.NamingChoice == 0 ? block.BlockTitle : block.FileName;
    return naming;
}

}  // namespace

int Fileparstest::ParseDbFiles(const DbFileMap& blocks, StructureList& completed) {
    return ParseEach(blocks, [&](const DbFileMap::value_type& entry) { return ParseDbFile(entry.second, completed); });
}

int Fileparstest::ParseSourceFiles(const std::vector<CString>& paths, StructureList& completed) {
    return ParseEach(paths, [&](const CString& path) { return ParseSourceFile(path, completed); });
}

int Fileparstest::ParseTagTables(const std::vector<CString>& paths, StructureList&) {
    // A tag table read gives 1, which here means success, not a file left out.
    return ParseEach(paths, [&](const CString& path) { return std::min(ParseTagTable(path, topLevelRecords_), 0); });
}

int Fileparstest::ParseDbFile(const SDbFileInfo& block, StructureList& completed) {
    std::u16string text;
    if (!ReadSourceText(block.Path, text)) return kFileNotOpened;
    return ParseTiaSource(text, block.Path, NamingOf(block), {parsedStructs_, topLevelRecords_, completed});
}

int Fileparstest::ParseSourceFile(const CString& path, StructureList& completed) {
    std::u16string text;
    if (!ReadSourceText(path, text)) return kFileNotOpened;
    SBlockNaming naming;
    naming.blockName = BlockNameOfSourceFile(path);
    naming.recordName = naming.blockName;
    return ParseTiaSource(text, path, naming, {parsedStructs_, topLevelRecords_, completed});
}

int Fileparstest::ParseTagTable(const CString& path, std::vector<SFlatMember>& records) {
    return ReadTagTable(path, records);
}
