// Fuzz target: reading array type texts. Any input must be read without fault, and whatever it
// yields must write back as a text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "types/array_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString text = CString::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<SArrayDim> dims;
    CString type;
    if (!ParseArrayText(text, dims, type)) {
        if (!dims.empty()) std::abort();
        return 0;
    }
    std::vector<SArrayDim> again;
    CString againType;
    if (!ParseArrayText(ArrayText(dims) + type, again, againType) || again != dims || againType != type) std::abort();
    return 0;
}
