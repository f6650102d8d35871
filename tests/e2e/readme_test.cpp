// The README's sessions, run as written: every indented block whose lines start with "$ " is one
// session in a fresh folder (holding a copy of examples/) with a private copy of the installed tree
// first on the search path and a Chinese user interface. A command's output is the lines after it,
// up to the next command; the command must print exactly those lines (a last line "..." matches
// any further output) and exit 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host_runner.h"

namespace fs = std::filesystem;

namespace {

struct SCommand {
    std::string text;                ///< the command, continuation lines joined
    std::vector<std::string> output; ///< the lines shown after it
    int line = 0;                    ///< its line in the README
};

using Session = std::vector<SCommand>;

/// The sessions of the README, in order.
std::vector<Session> ReadSessions(const std::string& path) {
    std::ifstream in(path);
    std::vector<Session> sessions;
    std::string line;
    bool inBlock = false;
    bool continued = false;
    for (int number = 1; std::getline(in, line); ++number) {
        const bool indented = line.rfind("    ", 0) == 0;
        if (!indented) {
            if (!line.empty()) inBlock = false;
            continue;
        }
        const std::string text = line.substr(4);
        if (continued) {
            sessions.back().back().text += "\n" + text;
            continued = !text.empty() && text.back() == '\\';
            continue;
        }
        if (text.rfind("$ ", 0) == 0) {
            if (!inBlock) sessions.emplace_back();
            inBlock = true;
            sessions.back().push_back({text.substr(2), {}, number});
            continued = text.back() == '\\';
        } else if (inBlock) {
            sessions.back().back().output.push_back(text);
        }
    }
    // Blank lines at the end of a block belong to the page, not to the output.
    for (Session& session : sessions)
        while (!session.back().output.empty() && session.back().output.back().empty()) session.back().output.pop_back();
    return sessions;
}

/// A copy of the installed tree (vireo-host, its libraries, the driver and its language library),
/// so that a session's DataType.xml is its own.
std::string CopyTree(const HostFolder& folder) {
    const fs::path built = fs::path(VIREO_HOST_PATH).parent_path().parent_path();
    const fs::path root = folder.PathOf("tree");
    fs::create_directories(root / "bin");
    fs::create_directories(root / "drivers" / "Vireo_EX");
    fs::copy(built / "lib", root / "lib", fs::copy_options::recursive);
    fs::copy_file(VIREO_HOST_PATH, root / "bin" / "vireo-host");
    const fs::path driverDir = fs::path(VIREO_DRIVER_PATH).parent_path();
    for (const char* file : {"Vireo_EX.so", "Vireo_EX_lang.so"}) fs::copy_file(driverDir / file, root / "drivers" / "Vireo_EX" / file);
    return (root / "bin").string();
}

bool OutputMatches(const std::vector<std::string>& shown, const std::vector<std::string>& printed) {
    if (!shown.empty() && shown.back() == "...") {
        if (printed.size() < shown.size() - 1) return false;
        return std::equal(shown.begin(), shown.end() - 1, printed.begin());
    }
    return shown == printed;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace

TEST(Readme, EverySessionRunsAsShown) {
    const std::vector<Session> sessions = ReadSessions(VIREO_README);
    ASSERT_GE(sessions.size(), 3u);
    for (const Session& session : sessions) {
        HostFolder folder;
        const std::string bin = CopyTree(folder);
        fs::copy(VIREO_EXAMPLES, folder.PathOf("examples"), fs::copy_options::recursive);
        for (const SCommand& command : session) {
            const std::string script = "export PATH='" + bin + "':\"$PATH\" LANGUAGE=zh_CN LC_ALL=C.UTF-8\n" + command.text;
            const HostResult result = folder.RunProgram("/bin/bash", {"-c", script});
            EXPECT_EQ(result.exitCode, 0) << "README line " << command.line << ": " << command.text << "\n" << result.err;
            EXPECT_TRUE(OutputMatches(command.output, SplitLines(result.out)))
                << "README line " << command.line << ": " << command.text << "\nshown:\n"
                << Joined(command.output) << "printed:\n" << result.out;
        }
    }
}
