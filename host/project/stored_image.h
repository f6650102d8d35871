// What the host reads from a stored image itself, with the archive and table code it shares with
// the driver: the format version and the channel table's raw cells.
#pragma once

#include <cstdint>

#include "core/dev_table.h"
#include "host/project/project_store.h"

/// The format version at the start of the image (0 for an image shorter than 2 bytes; a value
/// below 20000 means an image without version).
uint16_t ImageFormatVersion(const ImageBytes& image);

/// True when the image is of a newer format than the driver writes: the driver does not read it,
/// and saving the device would replace it by a default record.
bool IsNewerFormat(const ImageBytes& image);

/// The channel table of the image, read as the driver reads its record: the property values and
/// option flags are skipped, then the table reads itself. An image of a newer format gives an empty
/// table. The invalid-argument exception for a damaged image (a count or length that is negative
/// or runs past the end), as the driver raises it.
CDevTable ReadStoredChannels(const ImageBytes& image);
