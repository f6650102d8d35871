// The project file when vireo-host is killed while saving, and when two processes work on one
// project at the same time: after a kill the project opens and holds the state before or after
// the command, never one in between; of two processes neither change is lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "host_runner.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

/// Starts vireo-host on the project with the arguments, output thrown away; its process id.
pid_t Start(const std::string& project, const std::vector<std::string>& args) {
    std::vector<std::string> all = {VIREO_HOST_PATH, "--project", project, "--lang", "zh"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

/// Waits for the process; its exit status, or 128 + the signal that ended it.
int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

/// A project with one device and a few channels, and a second device holding a large image.
class KilledHost : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
        ASSERT_EQ(folder.Run({"channel", "add", "PLC1", "--reg", "M", "--type", "11", "--addr", "0", "--count", "20"}).exitCode, 0);
        ASSERT_EQ(folder.Run({"device", "add", "Big"}).exitCode, 0);
        for (int block = 1; block <= 4; ++block)
            ASSERT_EQ(folder.Run({"channel", "add", "Big", "--reg", "V", "--type", "19", "--addr", std::to_string(block) + ".0_40",
                                  "--count", "5000", "--comment", "tank level"})
                          .exitCode,
                      0);
        ASSERT_EQ(folder.Run({"image", "Big", "--out", folder.PathOf("big.img")}).exitCode, 0);
        ASSERT_EQ(folder.Run({"device", "remove", "Big"}).exitCode, 0);
        before = folder.Run({"channel", "list", "PLC1"}).out;
        original = folder.ReadFile(folder.ProjectPath());
    }

    /// Runs the command to its end on a copy of the project; the channel list after it and how long it took.
    std::pair<std::string, Clock::duration> Completed(const std::vector<std::string>& command) {
        HostFolder reference;
        reference.WriteFile(reference.ProjectPath(), original);
        const auto started = Clock::now();
        EXPECT_EQ(Wait(Start(reference.ProjectPath(), command)), 0);
        const Clock::duration took = Clock::now() - started;
        return {reference.Run({"channel", "list", "PLC1"}).out, took};
    }

    /// Runs the command again and again on the original project, killing it after a random time
    /// within its running time; each time the project must hold the old or the new channel list.
    /// Returns how many runs were killed before they ended.
    int KillRepeatedly(const std::vector<std::string>& command, int runs) {
        const auto [after, took] = Completed(command);
        EXPECT_NE(after, before);
        std::mt19937 rng(static_cast<unsigned>(runs) * 7919u);
        // The reference run measured the whole command, start-up included; kills are spread over 90% of it.
        std::uniform_int_distribution<long long> delay(0, std::chrono::duration_cast<std::chrono::microseconds>(took).count() * 9 / 10);
        int killed = 0;
        for (int run = 0; run < runs; ++run) {
            folder.WriteFile(folder.ProjectPath(), original);
            std::filesystem::remove(folder.ProjectPath() + "-journal");
            const pid_t pid = Start(folder.ProjectPath(), command);
            if (pid < 0) {
                ADD_FAILURE() << "cannot start vireo-host";
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
            kill(pid, SIGKILL);
            if (Wait(pid) == 128 + SIGKILL) ++killed;
            const HostResult list = folder.Run({"channel", "list", "PLC1"});
            EXPECT_EQ(list.exitCode, 0) << "run " << run << ": " << list.err;
            EXPECT_TRUE(list.out == before || list.out == after) << "run " << run << ": a state in between";
        }
        std::printf("[ killed    ] %d of %d runs of %s, each %lld us\n", killed, runs, command[0].c_str(),
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
        return killed;
    }

    HostFolder folder;
    std::string before, original;
};

}  // namespace

TEST_F(KilledHost, AKillWhileSavingLeavesTheProjectAsBeforeOrAfterTheCommand) {
    const int addKilled = KillRepeatedly({"channel", "add", "PLC1", "--reg", "V", "--type", "11", "--addr", "3.0", "--count", "5000"}, 20);
    const int loadKilled = KillRepeatedly({"image", "load", "PLC1", folder.PathOf("big.img")}, 10);
    // Most kills land while the command runs; the rest find it already ended, which is fine too.
    EXPECT_GT(addKilled + loadKilled, 0);
}

TEST(ProjectSharing, TwoProcessesOnOneProjectBothKeepTheirChanges) {
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
    ASSERT_EQ(folder.Run({"channel", "delete", "PLC1", "--all"}).exitCode, 0);
    // Pairs of processes started together, each adding its own block of channels.
    constexpr int kPairs = 4;
    std::vector<pid_t> running;
    for (int block = 1; block <= 2 * kPairs; ++block)
        running.push_back(Start(folder.ProjectPath(), {"channel", "add", "PLC1", "--reg", "V", "--type", "11", "--addr",
                                                      std::to_string(block) + ".0", "--count", "500"}));
    for (const pid_t pid : running) EXPECT_EQ(Wait(pid), 0);
    const std::vector<std::string> blocks = TsvColumn(folder.Run({"channel", "list", "PLC1"}).out, 2);
    EXPECT_EQ(blocks.size(), static_cast<size_t>(2 * kPairs * 500));
    for (int block = 1; block <= 2 * kPairs; ++block)
        EXPECT_EQ(std::count(blocks.begin(), blocks.end(), std::to_string(block)), 500) << block;
}
