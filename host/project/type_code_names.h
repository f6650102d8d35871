// The data type codes a channel row stores, as names a reader of `channel list` understands.
#pragma once

#include <string>

/// "Bit 0" to "Bit 7" for the bit codes, "BUB 8-bit unsigned" to "LDF 64-bit float" for the number
/// codes 80 to 90, "STR string" for 131; "unknown N" for any other code.
std::string TypeCodeName(int code);
