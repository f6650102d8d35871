#include "platform/module.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <string>

HMODULE GetModuleHandleFromAddress(const void* address) {
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname) return nullptr;
    HMODULE handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (handle) dlclose(handle);  // RTLD_NOLOAD took a reference; the module stays loaded by its owner
    return handle;
}

namespace {

std::string ExecutablePath() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

}  // namespace

CString GetModuleFileNameW(HMODULE module) {
    if (!module) return CString::FromUtf8(ExecutablePath());
    link_map* map = nullptr;
    if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return CString();
    // The main program's link map has an empty name.
    std::string name = map->l_name[0] ? map->l_name : ExecutablePath();
    char resolved[PATH_MAX];
    if (realpath(name.c_str(), resolved)) name = resolved;
    return CString::FromUtf8(name);
}
