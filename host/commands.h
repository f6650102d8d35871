// The host's commands, each family in its own file. A family adds its subcommands to the program's
// command line; the one given sets the action that main runs once parsing is complete.
#pragma once

#include <CLI/CLI.hpp>

#include "host/project/host_context.h"

void AddDeviceCommands(CLI::App& app, CommandAction& action);
void AddPropertyCommands(CLI::App& app, CommandAction& action);
void AddChannelCommands(CLI::App& app, CommandAction& action);
void AddImageCommands(CLI::App& app, CommandAction& action);
void AddInfoCommands(CLI::App& app, CommandAction& action);
void AddLayoutCommands(CLI::App& app, CommandAction& action);
void AddImportCommands(CLI::App& app, CommandAction& action);
void AddTypesCommands(CLI::App& app, CommandAction& action);
/// The options are read when the command runs (after parsing).
void AddGuiCommands(CLI::App& app, CommandAction& action, const HostOptions& options);

/// `vireo-host --version`: the program's version, the driver's version and the image format it writes.
void PrintProgramVersions(HostContext& ctx, const std::string& programVersion);

/// Makes work the action of the program when this command is given.
inline void SetAction(CLI::App* command, CommandAction& action, CommandAction work) {
    command->callback([&action, work = std::move(work)] { action = work; });
}
