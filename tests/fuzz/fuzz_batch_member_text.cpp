// Fuzz target: reading member text pasted into the batch entry dialog. Any text must be read
// without fault: either every line with six or more fields becomes one member, in line order, or a
// line with two to five fields refuses the whole text with the invalid-argument exception.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/invalid_arg.h"
#include "types/batch_member_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString text = CString::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    size_t members = 0;
    bool refused = false;
    for (const CString& line : BatchLines(text)) {
        const size_t fields = SplitBatchText(line, CString(u"\t")).size();
        if (fields >= 6) ++members;
        else if (fields >= 2) refused = true;
    }
    try {
        const std::vector<SMemberInfo> read = ParseBatchMembers(text);
        if (refused || read.size() != members) std::abort();
        for (const SMemberInfo& member : read)
            if ((member.Read != 0 && member.Read != 1) || (member.Write != 0 && member.Write != 1)) std::abort();
    } catch (const CInvalidArgException&) {
        if (!refused) std::abort();
    }
    return 0;
}
