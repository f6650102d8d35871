#include "platform/module.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <map>
#include <string>

namespace {

std::string ExecutablePath() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

/// The base address of a dlopen handle: the module that holds its dynamic section.
HMODULE BaseOfHandle(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
    return GetModuleHandleFromAddress(map->l_ld);
}

/// The dlopen handles of the modules LoadLibraryW loaded, by base address, with their load counts.
std::map<HMODULE, std::pair<void*, int>>& LoadedModules() {
    static std::map<HMODULE, std::pair<void*, int>> loaded;
    return loaded;
}

/// The host program's own base address.
HMODULE ProgramBase() {
    static HMODULE base = BaseOfHandle(dlopen(nullptr, RTLD_LAZY));
    return base;
}

}  // namespace

HMODULE GetProgramModuleHandle() { return ProgramBase(); }

HMODULE GetModuleHandleFromAddress(const void* address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info)) return nullptr;
    return info.dli_fbase;
}

CString GetModuleFileNameW(HMODULE module) {
    std::string name;
    if (!module || module == ProgramBase()) {
        name = ExecutablePath();
    } else {
        Dl_info info{};
        if (!dladdr(module, &info) || info.dli_fbase != module || !info.dli_fname) return CString();
        name = info.dli_fname;
    }
    char resolved[PATH_MAX];
    if (realpath(name.c_str(), resolved)) name = resolved;
    return CString::FromUtf8(name);
}

HMODULE LoadLibraryW(const CString& fileName) {
    std::string name = fileName.ToUtf8();
    if (name.size() > 4 && (name.ends_with(".dll") || name.ends_with(".DLL"))) name.replace(name.size() - 4, 4, ".so");
    // dlopen searches the library path for a name without a slash; a module is found from the
    // current directory instead, as the original platform does. The name is made absolute so that
    // the module's file name stays right after the current directory changes.
    if (name.find('/') == std::string::npos) {
        const std::string folder = GetCurrentDirectoryW().ToUtf8();
        name = (folder.empty() ? std::string(".") : folder) + "/" + name;
    }
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    HMODULE base = BaseOfHandle(handle);
    auto& entry = LoadedModules()[base];
    if (entry.second++ > 0) dlclose(handle);  // one loader reference per module is enough
    else entry.first = handle;
    return base;
}

bool FreeLibrary(HMODULE module) {
    auto& loaded = LoadedModules();
    auto it = loaded.find(module);
    if (it == loaded.end()) return false;
    if (--it->second.second == 0) {
        dlclose(it->second.first);
        loaded.erase(it);
    }
    return true;
}

CString GetCurrentDirectoryW() {
    char path[PATH_MAX];
    return getcwd(path, sizeof path) ? CString::FromUtf8(path) : CString();
}

bool SetCurrentDirectoryW(const CString& path) { return chdir(path.ToUtf8().c_str()) == 0; }

CString AfxGetAppName() {
    CString path = GetModuleFileNameW(nullptr);
    CString name = path.Mid(path.ReverseFind(u'/') + 1);
    int dot = name.ReverseFind(u'.');
    return dot > 0 ? name.Left(dot) : name;
}
