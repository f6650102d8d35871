// The exports of the device properties.
#include "core/dev_record.h"
#include "core/device_properties.h"
#include "core/exports.h"

VIREO_EXPORT int SvrGetProperty(CDeviceObject* device, CStringArray& names, CStringArray& values, CByteArray& enumerated) {
    SDevRecord& record = EnsureRecord(device);
    DescribeProperties(record.propValues, names, values, enumerated);
    return 1;
}

VIREO_EXPORT int SvrSetProperty(CDeviceObject* device, CStringArray& names, CStringArray& values) {
    SDevRecord& record = EnsureRecord(device);
    TakeProperties(record.propValues, names, values);
    SaveRecord(record, *device->archive);
    return 1;
}

VIREO_EXPORT int SvrEnumPropertyValue(CDeviceObject* device, const CString& name, CStringArray& values) {
    EnsureRecord(device);
    AppendPropertyValueTexts(name, values);
    return 1;
}

/// The host asks whether the driver edits properties itself: it answers yes and does nothing else.
VIREO_EXPORT int SvrEditProperties(void*, uint8_t* changed, void*, void*, void*, void*, void*, void*, void*) {
    if (changed) *changed = 1;
    return 1;
}
