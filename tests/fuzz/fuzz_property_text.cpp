// Property value texts from the host's property editor: any text is taken without crashing, and a
// free property's value reads back as the decimal text of what was stored.
#include <string>

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
    const CString text = CString::FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < values.GetSize(); ++i) values[i] = text;
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
