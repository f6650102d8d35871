// The data block file record: one data block source file chosen for import, as the data block file
// list keeps it and the data block parse reads it.
#pragma once

#include <map>

#include "platform/cstring.h"

struct SDbFileInfo {
    CString BlockName;   ///< "DB" and the block number taken from the file name
    CString FileName;    ///< the file's name without folder, cut before its first "."
    CString BlockTitle;  ///< the quoted name on the file's first line
    CString Path;        ///< the full path; equal to the record's key in a DbFileMap
    int NamingChoice = 0;  ///< 0: channels are named after the block title, 1: after the file name
};

/// Data block file records by full path (ordinal, case-sensitive order).
using DbFileMap = std::map<CString, SDbFileInfo>;
