// One device as the host hands it to the driver: the device object and its archive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/host_interface.h"
#include "core/owner_archive.h"
#include "host/project/driver_library.h"
#include "host/project/project_store.h"

/// A device object whose archive holds the device's stored image, in loading mode, as the host
/// keeps it between uses. The driver hangs its record on the object with the first export and
/// writes the image back into the archive after every change. The session ends with SvrExitDevRun,
/// which releases the record.
class DeviceSession {
public:
    DeviceSession(const DriverLibrary& driver, std::string name, ImageBytes image);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    const std::string& Name() const { return name_; }

    /// Calls the export of type Fn with the device object and the given arguments. HostError, naming
    /// the device, when the driver lacks it or raises the invalid-argument exception.
    template <typename Fn, typename... Args>
    int Call(const char* exportName, Args&... args) {
        const Fn function = driver_.Require<Fn>(exportName);
        try {
            return CallExport(exportName, [&] { return function(&device_, args...); });
        } catch (const HostError& error) {
            throw HostError("device " + name_ + ": " + error.what());
        }
    }

    /// The image the driver last wrote: the bytes up to the archive's position after its last
    /// store, not the archive's whole (grown) buffer. Nothing when the driver stored nothing. The
    /// bytes stay the archive's: valid until the driver's next change or the session's end.
    std::optional<ImageView> WrittenImage() const;
    /// Lets go of the image the driver last wrote, once the project holds it: the record stays, and
    /// WrittenImage is nothing until the driver's next change writes a new one. A large import's
    /// image is then not held beside its rows while the import is summarised.
    void ForgetWrittenImage();

private:
    const DriverLibrary& driver_;
    std::string name_;
    COwnerArchive archive_{COwnerArchive::kLoading};
    CDeviceObject device_{&archive_, nullptr};
};
