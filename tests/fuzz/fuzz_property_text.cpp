// Property value texts from the host's property editor: any text for any of the six properties
// (the input's lines, one per property; a single line goes to all six) is taken without crashing,
// and a free property's value reads back as the decimal text of what was stored.
#include <string>
#include <vector>

#include "core/column_registry.h"
#include "core/exports.h"
#include "core/owner_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool defined = (DefineChannelColumns(), true);
    (void)defined;
    COwnerArchive archive(COwnerArchive::kLoading);
    CDeviceObject device{&archive, nullptr};
    CStringArray names, values;
    CByteArray enumerated;
    SvrGetProperty(&device, names, values, enumerated);
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<CString> lines;
    for (size_t start = 0;;) {
        const size_t end = input.find('\n', start);
        lines.push_back(CString::FromUtf8(input.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (int i = 0; i < values.GetSize(); ++i) values[i] = lines[static_cast<size_t>(i) % lines.size()];
    SvrSetProperty(&device, names, values);
    CStringArray after;
    SvrGetProperty(&device, names, after, enumerated);
    for (int i = 0; i < after.GetSize(); ++i) {
        int value = 0;
        if (!enumerated[i] && (!ScanDecimal(after[i].view(), value) || CString::Formatted(u"%d", value) != after[i])) __builtin_trap();
    }
    SvrExitDevRun(&device);
    return 0;
}
