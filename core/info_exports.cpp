// The informational exports: device information, versions, help, the parent configuration's
// defaults and the custom user interfaces the driver offers.
#include "core/dev_record.h"
#include "core/exports.h"
#include "core/language_library.h"
#include "core/owner_archive.h"
#include "core/text_tables.h"

namespace {

constexpr double kDriverVersion = 7.1011;
constexpr const char16_t* kHelpName = u"Vireo_EX";
constexpr int32_t kHelpContext = 2102072302;  // 0x7D4B13EE
/// The runtime driver files, by the "which" the host asks for.
constexpr const char16_t* kRuntimeDriverFiles[] = {u"VireoU.drv", u"VireoE.drv"};
/// The tag import dialog: its entry text and identifier.
constexpr int kTagImportEntryText = 16;
constexpr int32_t kTagImportEntryId = 0;

}  // namespace

/// The device name and the runtime driver file of the given kind (0 or 1). The host asks for it
/// before any device exists, so the language texts are loaded here too.
VIREO_EXPORT int SvrGetDevInfo(CString& name, int32_t& first, int32_t& second, int32_t which, CString& file) {
    LoadLanguageStrings(kLangEnglishUS);
    name = Text(kDeviceNameText, 0);
    first = 1;
    second = 4;
    if (which != 0 && which != 1) return 0;
    file = kRuntimeDriverFiles[which];
    return 1;
}

VIREO_EXPORT int SvrGetDevVersion(CDeviceObject* device, double& version, double hostVersion, double& second) {
    version = kDriverVersion;
    second = 0.0;
    EnsureRecord(device).hostVersion = hostVersion;
    return 1;
}

VIREO_EXPORT int SvrGetDevVersionEx(double& version, double& second, int32_t& formatVersion) {
    version = kDriverVersion;
    second = 0.0;
    formatVersion = kFormatVersion;
    return 1;
}

/// Names the help for the host, which opens it.
VIREO_EXPORT int SvrDoHelp(CString& name, int32_t& context) {
    name = kHelpName;
    context = kHelpContext;
    return 1;
}

VIREO_EXPORT int SvrGetParentCofig(SParentConfig& config) {
    config.address = u"192.168.0.1";
    config.backupAddress = u"192.168.0.190";
    config.port = 102;  // ISO-on-TCP (RFC 1006)
    config.value1 = 0;
    config.value2 = 1;
    config.value3 = 0;
    return 1;
}

/// One custom user interface: the tag import dialog.
VIREO_EXPORT int SvrGetCustomUI(int32_t, CArray<SCustomUIEntry>& entries) {
    entries.SetSize(1);
    entries[0].text = Text(kTagImportTexts, kTagImportEntryText);
    entries[0].id = kTagImportEntryId;
    return 1;
}
