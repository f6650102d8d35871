// The exports of the device's life cycle.
#include "core/dev_record.h"
#include "core/dispatch_holder.h"
#include "core/exports.h"
#include "core/language_library.h"

/// Makes sure of the record, then takes the language library's texts when the user interface is
/// not Chinese.
VIREO_EXPORT int SvrInitDevSet(CDeviceObject* device) {
    EnsureRecord(device);
    LoadLanguageStrings(kLangEnglishUS);
    return 1;
}

VIREO_EXPORT int SvrExitDevRun(CDeviceObject* device) {
    ReleaseRecord(device);
    return 1;
}

/// The device address (rack and slot) may be changed by the host.
VIREO_EXPORT int SvrChangeableAddress() { return 1; }

VIREO_EXPORT int SvrSetSetIDispatch(IDispatch** dispatch) {
    CDispatchHolder& holder = CDispatchHolder::Instance();
    holder.DetachDispatch();
    holder.AttachDispatch(dispatch ? *dispatch : nullptr);
    return 1;
}
