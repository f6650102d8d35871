// Modules (the host program, the driver, the language library) as the framework names them.
#pragma once

#include "platform/cstring.h"

using HMODULE = void*;  ///< a module handle: what dlopen returns for a shared object

/// The handle of the loaded module that holds the given address (the executable gives its own
/// handle too), or null when the address lies in no module.
HMODULE GetModuleHandleFromAddress(const void* address);
/// The full path of the module's file; null names the executable. Empty when unknown.
CString GetModuleFileNameW(HMODULE module);
