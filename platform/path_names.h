// File paths taken apart as text, without asking the file system: the folder a path names a file in,
// and the path of another file in the same folder. Header-only, so that the build's own tools can
// use it too.
#pragma once

#include <string>

#include "platform/cstring.h"

/// The folder part of a path: what comes before its last "/"; "/" for a file at the root and "."
/// for a bare name, so that the result always names a folder.
inline std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

inline CString FolderOf(const CString& path) {
    const int slash = path.ReverseFind(u'/');
    if (slash < 0) return u".";
    return slash == 0 ? CString(u"/") : path.Left(slash);
}

/// The path of the file called name in the folder of file.
inline CString PathBeside(const CString& file, const CString& name) {
    const CString folder = FolderOf(file);
    return folder == CString(u"/") ? folder + name : folder + u'/' + name;
}
