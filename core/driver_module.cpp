#include "core/driver_module.h"

#include "core/column_registry.h"
#include "core/text_tables.h"

namespace {

HMODULE g_driverModule = nullptr;

/// Process attach: remember the module, define the channel columns, fill the text tables.
__attribute__((constructor)) void AttachDriver() {
    g_driverModule = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&AttachDriver));
    DefineChannelColumns();
    ResetBuiltinTexts();
}

}  // namespace

HMODULE DriverModuleHandle() { return g_driverModule; }
