#include "host/project/stored_image.h"

#include <vector>

#include "core/column_registry.h"
#include "core/image_check.h"
#include "core/owner_archive.h"
#include "platform/invalid_arg.h"

namespace {

COwnerArchive LoadingArchive(const ImageBytes& image) {
    COwnerArchive archive(COwnerArchive::kLoading);
    archive.GetBuffer().Items().assign(image.begin(), image.end());
    return archive;
}

/// Moves past the property values and the option flags. False when the image ends before them.
bool SkipRecordHeader(COwnerArchive& archive) {
    int32_t count = 0;
    if (!archive.Read(&count, 4)) return false;
    if (count < 0) throw CInvalidArgException("negative property count in the stored image");
    const int64_t header = int64_t{count} * 4 + 4;  // the values, then the 32-bit option flags
    if (header > archive.Remaining()) return false;
    std::vector<uint8_t> skipped(static_cast<size_t>(header));
    return archive.Read(skipped.data(), static_cast<int>(header));
}

}  // namespace

uint16_t ImageFormatVersion(const ImageBytes& image) { return LoadingArchive(image).PeekVersion(); }

bool IsNewerFormat(const ImageBytes& image) { return ImageFormatVersion(image) > kFormatVersion; }

CDevTable ReadStoredChannels(const ImageBytes& image) {
    // The rows are read into the channel columns, whichever program reads them (the window
    // program defines no columns of its own).
    static const bool columnsDefined = (DefineChannelColumns(), true);
    (void)columnsDefined;
    CDevTable table;
    if (image.empty() || IsNewerFormat(image)) return table;
    COwnerArchive archive = LoadingArchive(image);
    archive.SetMode(COwnerArchive::kLoading);  // consumes the format version when the image has one
    const std::string damage = FindImageDamage(image.data(), image.size(), static_cast<size_t>(archive.GetPosition()),
                                               archive.PeekVersion());
    if (!damage.empty()) throw CInvalidArgException("damaged stored image: " + damage);
    if (SkipRecordHeader(archive)) table.Serialize(archive);
    return table;
}
