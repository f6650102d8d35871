#include "host/project/driver_library.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/module.h"

namespace {

/// Every export the host calls. Looked up at load, so that a driver lacking one still serves the
/// commands that do not need it.
constexpr const char* kKnownExports[] = {
    "SvrGetProperty", "SvrSetProperty", "SvrEnumPropertyValue", "SvrGetChannel", "SvrGetChlInfo",
    "SvrSetChlInfo", "SvrDeleteChlInfo", "SvrGetCofigPro", "SvrEditProperties", "SvrEditCustomProperty",
    "SvrShowCustomUI", "SvrGetCustomUI", "SvrInitDevSet", "SvrExitDevRun", "SvrGetDevInfo",
    "SvrGetDevVersion", "SvrGetDevVersionEx", "SvrGetParentCofig", "SvrChangeableAddress", "SvrDoHelp",
    "SvrSetSetIDispatch",
};

/// The driver of an installed tree (or of the build tree, which has the same shape).
std::string DefaultDriverPath() {
    const std::filesystem::path program = GetModuleFileNameW(nullptr).ToUtf8();
    return (program.parent_path() / ".." / "drivers" / "Vireo_EX" / "Vireo_EX.so").lexically_normal().string();
}

}  // namespace

DriverLibrary::DriverLibrary(std::string path) : path_(path.empty() ? DefaultDriverPath() : std::move(path)) {
    // dlopen searches the library path for a bare name; a path of our own is always taken as a file.
    const std::string file = path_.find('/') == std::string::npos ? "./" + path_ : path_;
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        throw HostError("cannot load the driver " + path_ + ": " + (reason ? reason : "unknown reason"));
    }
    for (const char* name : kKnownExports) exports_[name] = dlsym(handle_, name);
}

DriverLibrary::~DriverLibrary() {
    if (handle_) dlclose(handle_);
}

bool DriverLibrary::Has(const char* name) const {
    auto it = exports_.find(name);
    return (it != exports_.end() ? it->second : dlsym(handle_, name)) != nullptr;
}

void* DriverLibrary::Lookup(const char* name) const {
    auto it = exports_.find(name);
    void* address = it != exports_.end() ? it->second : dlsym(handle_, name);
    if (!address) throw HostError("the driver " + path_ + " lacks the export " + name);
    return address;
}
