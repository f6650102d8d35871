// The list of structures completed by parses, in the order they were completed.
#pragma once

#include <vector>

#include "platform/cstring.h"

struct SStructureListEntry {
    CString Path;                ///< the source file the structure was read from
    std::vector<CString> Names;  ///< holds the completed structure's Name
};

using StructureList = std::vector<SStructureListEntry>;
