#include <csignal>
#include <unistd.h>
#include "host_runner.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

HostFolder::HostFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vireo-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
}

HostFolder::~HostFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

HostResult HostFolder::Run(const std::vector<std::string>& args) const {
    std::vector<std::string> all = {"--project", ProjectPath(), "--lang", "zh"};
    all.insert(all.end(), args.begin(), args.end());
    return RunPlain(all);
}

HostResult HostFolder::RunPlain(const std::vector<std::string>& args) const { return RunProgram(VIREO_HOST_PATH, args); }

HostResult HostFolder::RunProgram(const std::string& program, const std::vector<std::string>& args) const {
    return RunProgramKilledAfter(program, args, -1);
}

HostResult HostFolder::RunProgramKilledAfter(const std::string& program, const std::vector<std::string>& args, int delayMs) const {
    const std::string outPath = outputTo_.empty() ? PathOf(".stdout") : outputTo_, errPath = PathOf(".stderr");
    std::vector<std::string> argv_strings = {program};
    argv_strings.insert(argv_strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argv_strings) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + argv_strings[0]);

    int status = 0;
    if (delayMs >= 0) {
        for (int waited = 0; waited < delayMs && waitpid(pid, &status, WNOHANG) == 0; ++waited) usleep(1000);
        if (waitpid(pid, &status, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
    } else {
        waitpid(pid, &status, 0);
    }
    HostResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (outputTo_.empty()) result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    // Under the sanitizers a fault of the host also ends with status 1; it must never pass as a refusal.
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("runtime error:"), std::string::npos) << result.err;
    return result;
}

std::string HostFolder::ReadFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void HostFolder::WriteFile(const std::string& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    return cells;
}

std::vector<std::string> TsvColumn(const std::string& table, size_t column) {
    std::vector<std::string> cells;
    const std::vector<std::string> lines = SplitLines(table);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> row = SplitTabs(lines[i]);
        cells.push_back(column < row.size() ? row[column] : "<missing>");
    }
    return cells;
}
