// Shell requests ("open" a document with the program the desktop associates with it). The UI
// backend carries them out: a test's or the command line's scripted user only records them.
#pragma once

#include "platform/cstring.h"
#include "platform/ui/win_types.h"

using HINSTANCE = const void*;

inline constexpr int SE_ERR_FNF = 2;

/// Asks the shell to apply the verb to the file. The result, as a number, is above 32 on success,
/// otherwise an error code (SE_ERR_FNF when the request was refused).
HINSTANCE ShellExecuteW(HWND owner, LPCTSTR verb, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory, int showCommand);
