// Paths given on the command line, made full as a file dialog gives them: a data block file's record
// needs the file's folder, and two spellings of one file must name it once.
#pragma once

#include <string>

#include "platform/cstring.h"

/// The absolute, normalised form of path, taken from the current folder when it is relative.
CString FullPath(const std::string& path);
