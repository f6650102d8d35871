// The driver's per-device state, hung on the host's device object, and its life cycle.
#pragma once

#include <cstdint>
#include <memory>

#include "core/dev_table.h"
#include "core/host_interface.h"
#include "core/owner_archive.h"

/// What the driver keeps for one device: the six property values, the channel table, option flags
/// (kept and stored unchanged) and the version number the host last gave.
struct SDevRecord {
    CArray<int32_t> propValues;
    std::unique_ptr<CDevTable> chlTable;
    uint32_t optionFlags = 0;
    double hostVersion = -1.0;
};

/// The device's record, made on first use: read from the host's archive when it holds an image,
/// otherwise the defaults with eight bit channels of input byte 0, stored at once.
SDevRecord& EnsureRecord(CDeviceObject* device);
/// Reads the record from the archive, which is loading and positioned after the format version.
void LoadRecord(SDevRecord& record, COwnerArchive& archive);
/// Writes the whole record as a new image at the start of the archive.
void SaveRecord(SDevRecord& record, COwnerArchive& archive);
/// Frees the record; the next EnsureRecord reads it again from the archive.
void ReleaseRecord(CDeviceObject* device);
