// Fuzz target: the record of a chosen data block file, from its file name and its first line. The
// input's first line is the file name, the rest the file's content. Any of them must give either a
// record whose block name is DB0 or a valid one, or the "cannot read the basic information" code.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "import/db_file_info_derivation.h"
#include "types/import_result_codes.h"

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/vireo-fuzz-db-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        return std::string(pattern);
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = input.find('\n');
    std::string name = input.substr(0, std::min<size_t>(lineEnd, 200));
    for (char& ch : name)
        if (ch == '/' || ch == '\0') ch = '_';
    if (name.empty() || name == "." || name == "..") name = "DB1_x.db";
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary) << (lineEnd == std::string::npos ? std::string() : input.substr(lineEnd + 1));

    SDbFileInfo info;
    const int result = MakeDbFileInfo(CString::FromUtf8(path), info);
    unlink(path.c_str());
    if (result == kBlockInfoUnreadable) return 0;
    if (result != 1) std::abort();
    if (info.BlockName != CString(u"DB0") && !IsValidBlockName(info.BlockName)) std::abort();
    if (info.NamingChoice != 0) std::abort();
    return 0;
}
