// The project as the main window works it: the driver, loaded once for the window's life, and the
// project file, opened for each action in its own transaction (as one command of the command line),
// so that the file is never held while the user looks at it and a failed action changes nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/host_interface.h"
#include "host/project/device_session.h"
#include "host/project/driver_library.h"
#include "host/project/host_context.h"
#include "host/project/output_format.h"

/// The device's properties as the driver describes them to a property editor.
struct SPropertyList {
    CStringArray names;
    CStringArray values;
    CByteArray enumerated;
};

/// What the driver says about the form of a channel address (SvrGetCofigPro).
struct SChannelConfig {
    CStringArray registerNames;
    CArray<int32_t> registerAccess;
    std::vector<std::vector<CString>> dataTypes;  ///< per register type, the data type texts
    CStringArray paramNames;
    CStringArray paramDefaults;
};

/// One row of the channel table as the host shows it.
struct SChannelRow {
    CString name;  ///< as SvrGetChannel gives it
    int kind = 0;  ///< as SvrGetChannel gives it (negative: write only)
    SChlInfo info; ///< as SvrGetChlInfo describes the row
    CString variable;  ///< the connected variable as the row stores it (as `channel list` shows it)
};

class GuiProject {
public:
    /// Loads the driver; HostError when it cannot be loaded.
    explicit GuiProject(HostOptions options);

    const std::string& Path() const { return options_.project; }
    /// Works on another project file from now on: an existing project (opened to check that it is
    /// one; HostError otherwise, and the project stays the one before), or a name for a new one,
    /// made when its first device is added.
    void UseProject(const std::string& path, bool mustExist);
    /// Copies the project file to path and works on the copy from now on (Save as).
    void SaveProjectAs(const std::string& path);
    /// Writes the device's stored channel table to file as `channel list` prints it.
    void ExportChannels(const std::string& device, const std::string& file, TableFormat format);
    /// The driver's version as it reports it (SvrGetDevVersionEx), e.g. "7.1011".
    std::string DriverVersion() const;
    const DriverLibrary& Driver() const { return driver_; }

    /// The devices; none when the project file does not exist yet.
    std::vector<std::string> DeviceNames();
    void AddDevice(const std::string& name);
    void RemoveDevice(const std::string& name);

    SPropertyList Properties(const std::string& device);
    CStringArray PropertyValueTexts(const std::string& device, const CString& property);
    /// Hands the full lists back with the value at index replaced, as a property editor does.
    void SetProperty(const std::string& device, int index, const CString& value);

    SChannelConfig ChannelConfig(const std::string& device);
    std::vector<SChannelRow> Channels(const std::string& device);
    /// SvrSetChlInfo's result (0: nothing was built); the description comes back updated.
    int AddChannels(const std::string& device, SChlInfo& info);
    /// Removes the rows (all rows for an empty list); the device as it was is kept for UndoDelete.
    void DeleteChannels(const std::string& device, const std::vector<int>& rows);
    /// Gives the device of the last delete its rows back, when nothing changed it since; false
    /// (and nothing changes) otherwise.
    bool UndoDelete();
    bool CanUndoDelete() const { return lastDelete_.has_value(); }

    std::vector<SCustomUIEntry> CustomUIEntries();
    /// Opens the driver's custom user interface on the device and stores what it changed. A tag
    /// import made in it replaces what the same sources imported last time (ImportWatch); the
    /// lines say what it did (none when nothing was imported).
    std::vector<std::string> ShowCustomUI(const std::string& device, const SCustomUIEntry& entry);
    /// Opens the driver's data type editor; false when the driver has none.
    bool EditDataTypes();

private:
    /// Opens the project and the device, runs the work, stores the device's image when use is
    /// kChange and the driver wrote one, and commits.
    void WithDevice(const std::string& device, DeviceUse use, const std::function<void(DeviceSession&)>& work);
    /// The same, with the project store open for the work; the device's image is stored only when
    /// the work says so.
    void WithDevice(const std::string& device, DeviceUse use, const std::function<bool(ProjectStore&, DeviceSession&)>& work);

    /// What the last delete changed: the device, its image before and the image it left.
    struct SDeleted {
        std::string device;
        ImageBytes before;
        ImageBytes after;
    };

    HostOptions options_;
    DriverLibrary driver_;
    std::optional<SDeleted> lastDelete_;
};
