#include "import/db_file_info_derivation.h"

#include <unordered_set>

#include "types/import_result_codes.h"
#include "types/source_text.h"

namespace {

constexpr int kMaxBlockNumber = 60000;

/// The path separator of this platform: a path without one has no folder part.
constexpr char16_t kPathSeparator = u'/';

/// A block number written in digits, from 1 to 60000 (leading zeros allowed).
bool IsBlockNumber(std::u16string_view digits) {
    if (digits.empty()) return false;
    int value = 0;
    for (char16_t ch : digits) {
        if (ch < u'0' || ch > u'9') return false;
        value = value * 10 + (ch - u'0');
        if (value > kMaxBlockNumber) return false;
    }
    return value >= 1;
}

}  // namespace

CString DbFileNameOf(const CString& path) {
    const CString name = path.Mid(path.ReverseFind(kPathSeparator) + 1);
    const int dot = name.Find(u'.');
    return dot < 0 ? CString() : name.Left(dot);
}

bool IsValidBlockName(const CString& blockName) {
    return blockName.view().starts_with(u"DB") && IsBlockNumber(blockName.view().substr(2));
}

CString BlockNameOfFileName(const CString& fileName) {
    const int underscore = fileName.Find(u'_');
    if (underscore <= 0) return CString();
    const CString prefix = fileName.Left(underscore);
    return IsValidBlockName(prefix) ? prefix : CString();
}

bool ReadBlockTitle(const CString& path, CString& title) {
    title.Empty();
    SourceText text;
    if (!ReadSourceText(path, text)) return true;
    std::u16string buffer;
    const std::u16string_view line = text.FirstLine(buffer);
    const size_t blank = line.find(u' ');
    if (blank == std::u16string_view::npos) return false;
    const std::u16string_view quoted = line.substr(blank + 1);
    if (quoted.size() < 2 || quoted.front() != u'"' || quoted.back() != u'"') return false;
    title = CString(quoted.substr(1, quoted.size() - 2));
    return true;
}

int MakeDbFileInfo(const CString& path, SDbFileInfo& info) {
    if (path.Find(kPathSeparator) < 0) return kBlockInfoUnreadable;
    info = SDbFileInfo();
    info.FileName = DbFileNameOf(path);
    if (!ReadBlockTitle(path, info.BlockTitle)) return kBlockInfoUnreadable;
    info.BlockName = BlockNameOfFileName(info.FileName);
    if (info.BlockName.IsEmpty()) info.BlockName = u"DB0";
    info.Path = path;
    return 1;
}

int AddDbFiles(DbFileMap& list, const std::vector<CString>& paths, CString* failedPath) {
    for (const CString& path : paths) {
        SDbFileInfo info;
        if (MakeDbFileInfo(path, info) != 1) {
            if (failedPath) *failedPath = path;
            return kBlockInfoUnreadable;
        }
        list.try_emplace(path, std::move(info));
    }
    return 1;
}

int CheckBlockNames(const DbFileMap& list, bool nameByTitle, DbFileMap& importCopy) {
    importCopy = list;
    std::unordered_set<CString> names;
    for (auto& [path, info] : importCopy) {
        if (!IsValidBlockName(info.BlockName)) return kBlockNameInvalid;
        if (!nameByTitle) info.NamingChoice = 1;
        names.insert(info.BlockName);
    }
    return names.size() < importCopy.size() ? kBlockNameRepeated : kBlockNamesValid;
}
