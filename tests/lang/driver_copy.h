// The driver as a host loads it, from a private copy of the installed tree in a temporary folder:
//   <tmp>/drivers/Vireo_EX/Vireo_EX.so, <tmp>/drivers/Vireo_EX/Vireo_EX_lang.so (optional),
//   <tmp>/lib/libvireo_platform.so, <tmp>/lib/libvireo_ui.so
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/host_interface.h"
#include "core/owner_archive.h"
#include "platform/ui_language.h"

class DriverCopy {
public:
    /// Lays out the tree, with the given file as the language library (none when null), sets the
    /// user-interface language and loads the driver.
    DriverCopy(LANGID uiLanguage, const char* languageLibrary);
    ~DriverCopy();
    DriverCopy(const DriverCopy&) = delete;
    DriverCopy& operator=(const DriverCopy&) = delete;

    /// The export of this name, as the host resolves it.
    template <typename Fn>
    Fn Export(const char* name) const {
        if (void* address = Lookup(name)) return reinterpret_cast<Fn>(address);
        throw std::runtime_error(std::string("the driver lacks ") + name);
    }

private:
    void* Lookup(const char* name) const;

    std::filesystem::path root_;
    void* handle_ = nullptr;
};

/// A device as the host keeps it: an empty archive and the device object. The record is released
/// through the driver when the device goes.
class HostDevice {
public:
    explicit HostDevice(const DriverCopy& driver) : driver_(driver) {}
    ~HostDevice() { driver_.Export<SvrExitDevRunFn>("SvrExitDevRun")(&object); }
    HostDevice(const HostDevice&) = delete;
    HostDevice& operator=(const HostDevice&) = delete;

    COwnerArchive archive{COwnerArchive::kLoading};
    CDeviceObject object{&archive, nullptr};

private:
    const DriverCopy& driver_;
};
