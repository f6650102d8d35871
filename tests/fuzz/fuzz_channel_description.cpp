// Channel descriptions from the host with any address text, parameter text and numbers: building
// rows never crashes, every row is named, and the rows come out in ascending key order.
#include <cstring>
#include <string>

#include "core/channel_builder.h"
#include "core/column_registry.h"

namespace {

int32_t TakeInt(const uint8_t*& data, size_t& size) {
    int32_t value = 0;
    const size_t n = size < 4 ? size : 4;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool defined = (DefineChannelColumns(), true);
    (void)defined;
    SChlInfo info;
    info.regType = TakeInt(data, size) & 7;
    info.typeIndex = TakeInt(data, size) % 24;
    info.rwFlag = TakeInt(data, size) % 4;
    info.chlCount = TakeInt(data, size) % 6000;
    std::string text(reinterpret_cast<const char*>(data), size);
    const size_t split = text.find('\n');
    info.address = CString::FromUtf8(text.substr(0, split));
    if (split != std::string::npos) info.paramValues.Add(CString::FromUtf8(text.substr(split + 1)));
    std::vector<CDevRow> rows;
    if (BuildRows(info, rows) == 1) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].GetText(kColChannelName).IsEmpty()) __builtin_trap();
            // Addresses that stay within 32 bits must come out in order.
            if (i > 0 && rows[i].GetInt(kColAddress) >= rows[i - 1].GetInt(kColAddress) && rows[i] < rows[i - 1]) __builtin_trap();
        }
    }
    return 0;
}
