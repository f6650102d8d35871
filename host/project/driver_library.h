// The driver as the host loads it: a shared object whose exports are found by name.
#pragma once

#include <string>
#include <unordered_map>

#include "host/project/host_error.h"
#include "platform/invalid_arg.h"

/// A loaded driver. Every export the host knows is looked up once, when the driver is loaded; a
/// command that needs an export the driver lacks fails naming it.
class DriverLibrary {
public:
    /// Loads the driver at path (empty: the driver next to this program's folder,
    /// <folder of the program>/../drivers/Vireo_EX/Vireo_EX.so). HostError when it cannot be loaded.
    explicit DriverLibrary(std::string path);
    ~DriverLibrary();
    DriverLibrary(const DriverLibrary&) = delete;
    DriverLibrary& operator=(const DriverLibrary&) = delete;

    /// The export of that name as a function of type Fn; HostError when the driver lacks it.
    template <typename Fn>
    Fn Require(const char* name) const {
        return reinterpret_cast<Fn>(Lookup(name));
    }

    /// True when the driver has the export.
    bool Has(const char* name) const;
    const std::string& Path() const { return path_; }

private:
    void* Lookup(const char* name) const;

    std::string path_;
    void* handle_ = nullptr;
    std::unordered_map<std::string, void*> exports_;
};

/// Calls an export, turning the framework's invalid-argument exception (which may come out of any
/// export) into a refusal that names the export.
template <typename Call>
auto CallExport(const char* name, Call&& call) {
    try {
        return call();
    } catch (const CInvalidArgException& e) {
        throw HostError(std::string("the driver raised an invalid-argument exception in ") + name + ": " + e.what());
    } catch (const std::exception& e) {
        throw HostError(std::string("the driver failed in ") + name + ": " + e.what());
    }
}
