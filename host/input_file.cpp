#include "host/input_file.h"

#include <filesystem>

#include "host/project/full_path.h"
#include "platform/code_page.h"

namespace {

/// The driver names files in UTF-16, so a name must survive the way there and back.
bool IsUtf8(const std::string& text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

}  // namespace

std::string InputFileProblem(const std::string& path, int64_t maxBytes) {
    if (!IsUtf8(path)) return "the file name " + path + " is not UTF-8 text; rename the file";
    // The file the command will read: two spellings of one path name one file.
    const CString full = FullPath(path);
    std::error_code error;
    if (!std::filesystem::exists(full.ToUtf8(), error)) return "there is no file " + path;
    const std::string problem = WholeFileProblem(full, maxBytes);
    return problem.empty() ? problem : path + ": " + problem;
}

CLI::Validator WholeInputFile() {
    return CLI::Validator([](const std::string& path) { return InputFileProblem(path); }, "FILE", "InputFile");
}
