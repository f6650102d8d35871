#include "host/project/full_path.h"

#include <filesystem>

CString FullPath(const std::string& path) {
    return CString::FromUtf8(std::filesystem::absolute(std::filesystem::path(path)).lexically_normal().string());
}
