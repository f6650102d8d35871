#include "core/driver_module.h"

#include "core/column_registry.h"
#include "platform/resources.h"

namespace {

HMODULE g_driverModule = nullptr;

/// Process attach: remember the module as the default resource handle and define the channel
/// columns. The text tables fill themselves with the built-in texts on first use.
__attribute__((constructor)) void AttachDriver() {
    g_driverModule = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&AttachDriver));
    if (!AfxGetResourceHandle()) AfxSetResourceHandle(g_driverModule);
    DefineChannelColumns();
}

}  // namespace

HMODULE DriverModuleHandle() { return g_driverModule; }
