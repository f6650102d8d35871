// The entry of the graphical host module, which `vireo-host gui` loads only for that command, so
// that the command-line host needs neither the toolkit nor a display.
#pragma once

#include <string>

#include "host/project/host_context.h"

/// The function the module exports under kGuiEntryName: shows the main window for the project
/// and runs until it is closed. Returns 0, or 1 with the reason in error.
using VireoHostGuiFn = int (*)(const HostOptions& options, const std::string& device, std::string& error);
inline constexpr const char* kGuiEntryName = "VireoHostGui";
inline constexpr const char* kGuiModuleName = "libvireo_host_gui.so";
