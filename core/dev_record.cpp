#include "core/dev_record.h"

#include <algorithm>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/device_properties.h"
#include "core/image_check.h"

namespace {

/// The eight bit channels of input byte 0 that a new device starts with.
void AddDefaultChannels(SDevRecord& record) {
    SChlInfo info;
    info.regType = 0;
    info.typeIndex = 0;
    info.address = u"0";
    info.rwFlag = kReadWrite;
    info.chlCount = 8;
    std::vector<CDevRow> rows;
    BuildRows(info, rows);
    record.chlTable->MergeRows(std::move(rows), true);
}

}  // namespace

SDevRecord& EnsureRecord(CDeviceObject* device) {
    if (device->record) return *device->record;
    // Hung on the device only once it is read: a refused image leaves no record behind that a later
    // call would take for the device's and save over the image.
    auto record = std::make_unique<SDevRecord>();
    SetDefaultProperties(record->propValues);
    record->chlTable = std::make_unique<CDevTable>();
    COwnerArchive& archive = *device->archive;
    if (archive.GetBufferSize() != 0) {
        // An archive already loading may stand anywhere in the image (after an earlier load of this
        // device): go back to its start, so the image is read again and not taken as empty.
        if (!archive.IsStoring()) archive.Rewind();
        archive.SetMode(COwnerArchive::kLoading);
        if (archive.PeekVersion() <= kFormatVersion) LoadRecord(*record, archive);
    } else {
        AddDefaultChannels(*record);
        SaveRecord(*record, archive);
    }
    record->hostVersion = -1.0;
    device->record = record.release();
    return *device->record;
}

void LoadRecord(SDevRecord& record, COwnerArchive& archive) {
    // Checked whole before anything is read: a damaged image would otherwise load as zeros, which
    // the next save would store for good.
    const CByteArray& buffer = archive.GetBuffer();
    const std::string damage = FindImageDamage(buffer.GetData(), static_cast<size_t>(buffer.GetSize()),
                                               static_cast<size_t>(archive.GetPosition()), archive.PeekVersion());
    if (!damage.empty()) throw CInvalidArgException("damaged stored image: " + damage);
    int32_t count = 0;
    archive >> count;
    record.propValues.SetSize(count);
    for (int32_t& value : record.propValues) archive >> value;
    archive >> record.optionFlags;
    record.chlTable->Serialize(archive);
}

void SaveRecord(SDevRecord& record, COwnerArchive& archive) {
    archive.Rewind();
    archive.SetMode(COwnerArchive::kStoring);
    archive << static_cast<int32_t>(record.propValues.GetSize());
    for (int32_t value : record.propValues) archive << value;
    archive << record.optionFlags;
    record.chlTable->Serialize(archive);
}

void ReleaseRecord(CDeviceObject* device) {
    delete device->record;
    device->record = nullptr;
}
