// Runs the built vireo-host on a project in a private temporary folder.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct HostResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// A temporary folder, removed at the end, in which vireo-host runs with its own project.
class HostFolder {
public:
    HostFolder();
    ~HostFolder();
    HostFolder(const HostFolder&) = delete;
    HostFolder& operator=(const HostFolder&) = delete;

    /// vireo-host --project <folder>/test.vproj --lang zh ARGS...
    HostResult Run(const std::vector<std::string>& args) const;
    /// vireo-host ARGS... exactly as given, run in the folder.
    HostResult RunPlain(const std::vector<std::string>& args) const;
    /// The program (a copy of vireo-host, say) with ARGS... exactly as given, run in the folder.
    HostResult RunProgram(const std::string& program, const std::vector<std::string>& args) const;
    /// The same, but the program is killed (SIGKILL) delayMs milliseconds after it started, if it
    /// still runs by then.
    HostResult RunProgramKilledAfter(const std::string& program, const std::vector<std::string>& args, int delayMs) const;

    /// The next runs write their standard output to this file (it is then not captured); empty
    /// captures it again.
    void SendOutputTo(std::string path) { outputTo_ = std::move(path); }

    std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }
    std::string ProjectPath() const { return PathOf("test.vproj"); }
    std::string ReadFile(const std::string& path) const;
    void WriteFile(const std::string& path, const std::string& bytes) const;

private:
    std::string folder_;
    std::string outputTo_;
};

std::vector<std::string> SplitLines(const std::string& text);
std::vector<std::string> SplitTabs(const std::string& line);
/// The cells of one column of a TSV table, header line excluded.
std::vector<std::string> TsvColumn(const std::string& table, size_t column);
