#include "host/project/type_code_names.h"

#include "core/data_types.h"

namespace {

/// What each number code holds, in code order from 80 (its short name is the driver's).
constexpr const char* kNumberMeanings[] = {"8-bit unsigned", "8-bit signed",  "8-bit BCD",      "16-bit unsigned",
                                           "16-bit signed",  "16-bit BCD",    "32-bit unsigned", "32-bit signed",
                                           "32-bit BCD",     "32-bit float",  "64-bit float"};
constexpr int kNumberCodes = static_cast<int>(sizeof kNumberMeanings / sizeof kNumberMeanings[0]);

}  // namespace

std::string TypeCodeName(int code) {
    if (code >= 0 && code <= 7) return "Bit " + std::to_string(code);
    if (code == kStringCode) return "STR string";
    const char16_t* shortName = TypeNameCode(code);
    if (!shortName || code < kFirstNumberCode || code >= kFirstNumberCode + kNumberCodes) return "unknown " + std::to_string(code);
    std::string name;
    for (const char16_t* ch = shortName; *ch; ++ch) name += static_cast<char>(*ch);
    return name + " " + kNumberMeanings[code - kFirstNumberCode];
}
