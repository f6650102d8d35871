// What the driver sets up when the host loads it.
#pragma once

#include "platform/module.h"

/// The driver's own module, remembered when it was loaded: the default source of its resources.
HMODULE DriverModuleHandle();
