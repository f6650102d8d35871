// The driver's texts as the driver shows them, for a host that finds its way through the driver's
// windows by the texts on them.
#pragma once

#include <cstdint>

#include "platform/cstring.h"
#include "platform/module.h"

/// The string of that number from the driver that holds driverModule: from the driver's language
/// library when the user interface is not Chinese and the library has the string, else the
/// driver's built-in one. Empty when neither has it.
CString DriverText(HMODULE driverModule, uint32_t number);
