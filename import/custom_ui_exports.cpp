// The custom user interface the driver offers the host: the tag import dialog. It runs with the
// language library's resources current, and the device's record is written back to the host's
// archive only when an import ended the dialog with OK.
#include "core/exports.h"
#include "core/language_library.h"
#include "import/tag_import_dlg.h"

namespace {

constexpr int32_t kTagImportEntryId = 0;

}  // namespace

VIREO_EXPORT int SvrEditCustomProperty(CDeviceObject* device) {
    CLanguageResourceScope resources;
    SDevRecord* record = device ? device->record : nullptr;
    CTagImportDlg dialog;
    dialog.SetDeviceRecord(record);
    // The record may have gone if the dialog's work made the host release it; look again.
    if (dialog.DoModal() == IDOK && device && device->record && device->archive) SaveRecord(*device->record, *device->archive);
    return 1;
}

VIREO_EXPORT int SvrShowCustomUI(CDeviceObject* device, SCustomUIEntry* entry) {
    if (entry && entry->id == kTagImportEntryId) SvrEditCustomProperty(device);
    return 1;
}
