// Files as the driver reads and writes them. Paths are UTF-8 on this platform.
#pragma once

#include <string>
#include <string_view>

#include "platform/cstring.h"

/// True when something (a file or a folder) exists at path.
bool PathExists(const CString& path);

/// Reads the whole file into bytes. False, with bytes emptied, when it cannot be opened or read.
bool ReadWholeFile(const CString& path, std::string& bytes);

/// Replaces the file's content with bytes so that a crash or a full disk never leaves it half
/// written: the bytes go to a temporary file in the same folder, which is flushed to disk, given
/// the old file's permissions (a new file gets the usual ones) and renamed over the old file. A
/// symbolic link is followed, so the file it names is replaced. False, with any old file left as it
/// was and no temporary file left behind, when a step fails.
bool WriteFileAtomically(const CString& path, std::string_view bytes);
