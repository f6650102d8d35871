#include "host/input_file.h"

#include <filesystem>

#include "platform/code_page.h"

namespace {

/// The driver names files in UTF-16, so a name must survive the way there and back.
bool IsUtf8(const std::string& text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

}  // namespace

std::string InputFileProblem(const std::string& path, int64_t maxBytes) {
    if (!IsUtf8(path)) return "the file name " + path + " is not UTF-8 text; rename the file";
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return "there is no file " + path;
    const std::string problem = WholeFileProblem(CString::FromUtf8(path), maxBytes);
    return problem.empty() ? problem : path + ": " + problem;
}

CLI::Validator WholeInputFile() {
    return CLI::Validator([](const std::string& path) { return InputFileProblem(path); }, "FILE", "InputFile");
}
