#include "core/dev_record.h"

#include <algorithm>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/device_properties.h"

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

// A damaged image can claim far more property values than it holds; values past the end read
// nothing and stay 0, as a cut-off image's do, but no more of them than this are made.
constexpr int kValuesPastEndKept = 16;

}  // namespace

SDevRecord& EnsureRecord(CDeviceObject* device) {
    if (device->record) return *device->record;
    auto* record = new SDevRecord;
    device->record = record;
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
    return *record;
}

void LoadRecord(SDevRecord& record, COwnerArchive& archive) {
    int32_t count = 0;
    archive >> count;
    if (count < 0) throw CInvalidArgException("negative property count in the stored image");
    record.propValues.SetSize(std::min(count, archive.Remaining() / 4 + kValuesPastEndKept));
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
