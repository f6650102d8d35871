#include "host/block_name_option.h"

#include <CLI/CLI.hpp>

#include "host/project/full_path.h"

std::map<CString, CString> BlockNameCorrections(const std::vector<std::string>& dbFiles,
                                                const std::vector<std::string>& corrections) {
    std::map<CString, CString> rowOrder;
    for (const std::string& path : dbFiles) rowOrder.emplace(FullPath(path), CString());
    for (const std::string& correction : corrections) {
        const size_t equals = correction.rfind('=');
        if (equals == std::string::npos || equals == 0)
            throw CLI::ValidationError("--block", "expected FILE=DBn, got \"" + correction + "\"");
        const auto row = rowOrder.find(FullPath(correction.substr(0, equals)));
        if (row == rowOrder.end())
            throw CLI::ValidationError("--block", "\"" + correction.substr(0, equals) + "\" is not one of the --db files");
        row->second = CString::FromUtf8(correction.substr(equals + 1));
    }
    return rowOrder;
}
