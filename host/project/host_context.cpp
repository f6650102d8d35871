#include "host/project/host_context.h"

#include <iostream>
#include <utility>

#include "core/owner_archive.h"
#include "host/project/stored_image.h"

ProjectStore& HostContext::Project(bool create) {
    if (!project_) project_.emplace(options_.project, create);
    return *project_;
}

const DriverLibrary& HostContext::Driver() {
    if (!driver_) {
        driver_.emplace(options_.driver);
        AnnounceDriver(*driver_);
    }
    return *driver_;
}

void AnnounceDriver(const DriverLibrary& driver) {
    // A host asks a driver it loads for its device information first; that is also when the driver
    // takes the texts of the user-interface language, so that even the first device's default
    // channels are named in it. A driver without the export simply keeps its built-in texts.
    if (!driver.Has("SvrGetDevInfo")) return;
    CString name, file;
    int32_t first = 0, second = 0;
    CallExport("SvrGetDevInfo", [&] { return driver.Require<SvrGetDevInfoFn>("SvrGetDevInfo")(name, first, second, 0, file); });
}

ImageBytes HostContext::DeviceImage(const std::string& name) {
    std::optional<ImageBytes> image = Project().FindImage(name);
    if (!image) throw HostError("the project has no device named " + name);
    return std::move(*image);
}

void HostContext::CheckFormat(const std::string& name, const ImageBytes& image, DeviceUse use) {
    if (!IsNewerFormat(image)) return;
    const std::string what = "device " + name + " holds an image of format version " +
                             std::to_string(ImageFormatVersion(image)) + ", newer than this driver's " +
                             std::to_string(kFormatVersion);
    if (use == DeviceUse::kChange) throw HostError(what + "; it is not changed, so that it is not lost");
    std::cerr << "vireo-host: " << what << "; it is not read\n";
}

std::unique_ptr<DeviceSession> HostContext::OpenDevice(const std::string& name, DeviceUse use) {
    ImageBytes image = DeviceImage(name);
    CheckFormat(name, image, use);
    auto session = std::make_unique<DeviceSession>(Driver(), name, std::move(image));
    // As a host opening a device does: the driver makes sure of its record and takes the texts of
    // the user-interface language.
    session->Call<SvrInitDevSetFn>("SvrInitDevSet");
    return session;
}

void HostContext::SaveDevice(const DeviceSession& session) {
    if (std::optional<ImageView> image = session.WrittenImage()) Project().SaveImage(session.Name(), *image);
}

void HostContext::Commit() {
    if (project_) project_->Commit();
}
