// vireo-host --help, COMMAND --help and the manual page: every command answers --help, and the
// manual page shows the help of every command.
#include <gtest/gtest.h>

#include "host_runner.h"

namespace {

/// The names listed under "Subcommands:" in a help text.
std::vector<std::string> Subcommands(const std::string& help) {
    std::vector<std::string> names;
    bool listing = false;
    for (const std::string& line : SplitLines(help)) {
        if (line == "Subcommands:") {
            listing = true;
            continue;
        }
        if (!listing || line.size() < 3 || line.rfind("  ", 0) != 0 || line[2] == ' ') {
            if (listing && line.empty()) listing = false;
            continue;
        }
        names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return names;
}

/// Every command path ("channel add", ...) reachable from the top-level help, depth first.
void CollectCommands(const HostFolder& folder, const std::vector<std::string>& path, std::vector<std::vector<std::string>>& all) {
    std::vector<std::string> args = path;
    args.push_back("--help");
    const HostResult help = folder.RunPlain(args);
    EXPECT_EQ(help.exitCode, 0) << "help of: " << testing::PrintToString(path) << help.err;
    if (!path.empty()) all.push_back(path);
    for (const std::string& name : Subcommands(help.out)) {
        std::vector<std::string> sub = path;
        sub.push_back(name);
        CollectCommands(folder, sub, all);
    }
}

}  // namespace

TEST(Help, EveryCommandHasHelpAndTheManualPageShowsIt) {
    HostFolder folder;
    std::vector<std::vector<std::string>> commands;
    CollectCommands(folder, {}, commands);
    EXPECT_GE(commands.size(), 20u);  // device, prop, channel, ... and their subcommands

    const HostResult man = folder.RunPlain({"--man-page"});
    ASSERT_EQ(man.exitCode, 0) << man.err;
    EXPECT_EQ(man.out.rfind(".TH vireo-host 1", 0), 0u);
    for (const std::vector<std::string>& command : commands) {
        std::string path = "vireo-host";
        for (const std::string& word : command) path += " " + word;
        EXPECT_NE(man.out.find(".SS \"" + path + "\"\n"), std::string::npos) << path;
        EXPECT_NE(man.out.find("Usage: " + path + " "), std::string::npos) << path;
    }
    EXPECT_NE(man.out.find("Exit status: 0 success"), std::string::npos);
    // The option is for the build; the help does not offer it.
    EXPECT_EQ(folder.RunPlain({"--help"}).out.find("--man-page"), std::string::npos);
}
