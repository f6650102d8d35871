// A private folder for a test's files, and reading a file back.
#pragma once

#include <filesystem>
#include <string>

#include "platform/cstring.h"

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    CString File(const std::string& name) const { return CString::FromUtf8((path_ / name).string()); }
    /// Writes bytes to the named file and returns its path.
    CString Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

/// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
