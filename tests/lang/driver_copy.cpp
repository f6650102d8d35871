#include "driver_copy.h"

#include <dlfcn.h>
#include <stdlib.h>

namespace fs = std::filesystem;

DriverCopy::DriverCopy(LANGID uiLanguage, const char* languageLibrary) {
    std::string pattern = (fs::temp_directory_path() / "vireo-lang-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    const fs::path driverDir = root_ / "drivers" / "Vireo_EX";
    fs::create_directories(driverDir);
    fs::create_directories(root_ / "lib");
    fs::copy_file(DRIVER_FILE, driverDir / "Vireo_EX.so");
    fs::copy_file(PLATFORM_LIBRARY, root_ / "lib" / "libvireo_platform.so");
    fs::copy_file(UI_LIBRARY, root_ / "lib" / "libvireo_ui.so");
    if (languageLibrary) fs::copy_file(languageLibrary, driverDir / "Vireo_EX_lang.so");
    SetThreadUILanguageOverride(uiLanguage);
    handle_ = dlopen((driverDir / "Vireo_EX.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw std::runtime_error(std::string("cannot load the driver: ") + dlerror());
}

DriverCopy::~DriverCopy() {
    if (handle_) dlclose(handle_);
    SetThreadUILanguageOverride(0);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void* DriverCopy::Lookup(const char* name) const { return dlsym(handle_, name); }
