// gui [DEV]: the main window for the project. The window lives in a module of its own, loaded only
// for this command, so that every other command runs without a display and without the toolkit.
#include <dlfcn.h>

#include <filesystem>

#include "host/commands.h"
#include "host/gui/gui_entry.h"

namespace {

std::filesystem::path GuiModulePath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return program.parent_path().parent_path() / "lib" / kGuiModuleName;
}

/// The device to show first must be one of the project's: the window would otherwise show another.
/// The project is opened only for the question and closed before the window opens it.
void CheckDeviceToShow(const HostOptions& options, const std::string& device) {
    if (device.empty()) return;
    ProjectStore project(options.project, false);
    if (!project.FindImage(device)) throw HostError("the project " + options.project + " has no device named " + device);
}

void RunGui(const HostOptions& options, const std::string& device) {
    CheckDeviceToShow(options, device);
    const std::filesystem::path path = GuiModulePath();
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) throw HostError(std::string("this build has no graphical host: ") + dlerror());
    const auto entry = reinterpret_cast<VireoHostGuiFn>(dlsym(module, kGuiEntryName));
    if (!entry) throw HostError(path.string() + " is not the graphical host module");
    std::string error;
    // The module stays loaded: the toolkit's clean-up runs at exit.
    if (entry(options, device, error) != 0) throw HostError(error);
}

}  // namespace

void AddGuiCommands(CLI::App& app, CommandAction& action, const HostOptions& options) {
    auto device = std::make_shared<std::string>();
    CLI::App* gui = app.add_subcommand("gui", "the main window: devices, properties, channels, tag import (needs a desktop)");
    gui->add_option("DEV", *device, "the device to show first");
    SetAction(gui, action, [device, &options](HostContext&) { RunGui(options, *device); });
}
