// A stored record image from anywhere: loading it never crashes, and what loads saves and loads
// back to the same image.
#include <cstring>

#include "core/column_registry.h"
#include "core/dev_record.h"
#include "core/exports.h"

namespace {

CByteArray ImageOf(const COwnerArchive& archive) {
    CByteArray image;
    image.SetSize(archive.GetPosition());
    if (image.GetSize() > 0) std::memcpy(image.GetData(), archive.GetBuffer().GetData(), static_cast<size_t>(image.GetSize()));
    return image;
}

CByteArray SaveAndCopy(CDeviceObject& device) {
    SaveRecord(*device.record, *device.archive);
    return ImageOf(*device.archive);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool defined = (DefineChannelColumns(), true);
    (void)defined;
    if (size == 0 || size > (1 << 20)) return 0;
    COwnerArchive archive(COwnerArchive::kLoading);
    archive.GetBuffer().SetSize(static_cast<int>(size));
    std::memcpy(archive.GetBuffer().GetData(), data, size);
    CDeviceObject device{&archive, nullptr};
    try {
        EnsureRecord(&device);
    } catch (const CInvalidArgException&) {
        ReleaseRecord(&device);
        return 0;  // a damaged image (a count or length past its bytes): refused whole
    }
    CArray<int32_t> indices;
    CArray<SChlInfo> infos;
    SvrGetChlInfo(&device, indices, infos);
    CByteArray first = SaveAndCopy(device);
    ReleaseRecord(&device);

    COwnerArchive again(COwnerArchive::kLoading);
    again.GetBuffer().Copy(first);
    CDeviceObject reloaded{&again, nullptr};
    EnsureRecord(&reloaded);
    CByteArray second = SaveAndCopy(reloaded);
    ReleaseRecord(&reloaded);
    if (first.GetSize() != second.GetSize() ||
        (first.GetSize() > 0 && std::memcmp(first.GetData(), second.GetData(), static_cast<size_t>(first.GetSize())) != 0))
        __builtin_trap();
    return 0;
}
