// What the driver sets up when the host loads it.
#include "core/column_registry.h"
#include "platform/module.h"
#include "platform/resources.h"

namespace {

/// Process attach: the driver's own module becomes the default resource handle (unless the host
/// made another current) and the channel columns are defined. The text tables fill themselves with
/// the built-in texts on first use.
__attribute__((constructor)) void AttachDriver() {
    if (!AfxGetResourceHandle()) AfxSetResourceHandle(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&AttachDriver)));
    DefineChannelColumns();
}

}  // namespace
