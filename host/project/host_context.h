// What every command works with: the global options, the project, the driver and the output.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "host/project/command_output.h"
#include "host/project/device_session.h"
#include "host/project/driver_library.h"
#include "host/project/project_store.h"

/// The options that come before the command.
struct HostOptions {
    std::string project = "./vireo.vproj";
    std::string driver;  ///< empty: the driver of this program's tree
    std::string lang;    ///< "zh", "en" or empty (the user's locale decides)
};

/// How a command uses a device: only reading it, or changing it (and so saving it).
enum class DeviceUse { kRead, kChange };

/// The project and the driver are opened when a command first needs them. The command's output is
/// collected; the program writes it out and only then commits the project's transaction, so a
/// command that fails, or whose output cannot be written, changes nothing.
class HostContext {
public:
    explicit HostContext(HostOptions options) : options_(std::move(options)) {}

    /// The existing project; `device add` asks for it with create set.
    ProjectStore& Project(bool create = false);
    const DriverLibrary& Driver();
    std::ostream& Out() { return out_; }
    /// How many bytes of output the command has made so far.
    size_t OutputSize() const { return output_.Size(); }
    /// Lets go of the output made after the first size bytes: that of a step that then failed.
    void DropOutputAfter(size_t size) { output_.Truncate(size); }
    /// The program's exit status when the command completes: kExitSuccess unless the command sets
    /// another (a command that reports a refusal in its output, for example).
    void SetExitStatus(int status) { exitStatus_ = status; }
    int ExitStatus() const { return exitStatus_; }

    /// The stored image of a device; HostError when the project has no such device.
    ImageBytes DeviceImage(const std::string& name);
    /// A device whose image has a newer format than the driver writes is refused for kChange (saving
    /// would replace it by a default record); for kRead a warning says that it is not read.
    void CheckFormat(const std::string& name, const ImageBytes& image, DeviceUse use);
    /// The device handed to the driver (after CheckFormat) and initialised with SvrInitDevSet.
    std::unique_ptr<DeviceSession> OpenDevice(const std::string& name, DeviceUse use);
    /// Stores the image the driver wrote for the device, if it wrote one.
    void SaveDevice(const DeviceSession& session);

    /// Writes the output the command collected to file; false when it cannot be written.
    bool WriteOutput(std::FILE* file) const { return output_.WriteTo(file); }
    /// Commits the project's transaction (nothing when the command opened no project).
    void Commit();

private:
    HostOptions options_;
    std::optional<ProjectStore> project_;
    std::optional<DriverLibrary> driver_;
    CommandOutput output_;
    std::ostream out_{&output_};
    int exitStatus_ = kExitSuccess;
};

/// Asks a freshly loaded driver for its device information, as a host does at load.
void AnnounceDriver(const DriverLibrary& driver);

/// A command's work, run with the context once the whole command line is parsed.
using CommandAction = std::function<void(HostContext&)>;
