// The command line's conventions: --version, suggestions for mistyped commands and options, and
// messages in our own words for values the parser refuses. All of them exit 2 and touch nothing.
#include <gtest/gtest.h>

#include "host_runner.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(CommandLine, VersionNamesTheProgramTheDriverAndTheImageFormat) {
    HostFolder folder;
    const HostResult version = folder.RunPlain({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, "vireo-host 7.1011\ndriver 7.1011\nimage format 20001\n");
    // The import's own option for the TIA Portal version keeps working under its old name.
    EXPECT_TRUE(Contains(folder.RunPlain({"import", "--help"}).out, "--tia-version"));
}

TEST(CommandLine, MistypedWordsGetASuggestionAndValuesAreExplained) {
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
    const std::string before = folder.ReadFile(folder.ProjectPath());
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"chanel", "list", "PLC1"}, "\"chanel\" is not a command of vireo-host; its commands are device, prop, channel"},
        {{"chanel", "list", "PLC1"}, "did you mean \"channel\"?"},
        {{"channel", "lst", "PLC1"}, "did you mean \"list\"?"},
        {{"help"}, "for help, run vireo-host --help"},
        {{"channel", "list", "PLC1", "--fromat", "csv"}, "unknown option --fromat for list; did you mean --format?"},
        {{"channel", "list", "PLC1", "--format", "xml"}, "--format: \"xml\" is not accepted; expected one of tsv, csv, json"},
        {{"channel", "add", "PLC1", "--reg", "M", "--type", "x", "--addr", "1"}, "--type: \"x\" is not a whole number"},
        {{}, "a command is required; the commands are device"},
        {{"channel"}, "a command is required; the commands are add, list, info, delete"},
    };
    for (const auto& [args, message] : cases) {
        const HostResult refused = folder.Run(args);
        EXPECT_EQ(refused.exitCode, 2) << testing::PrintToString(args);
        EXPECT_TRUE(Contains(refused.err, message)) << refused.err;
        EXPECT_FALSE(Contains(refused.err, "FAILED") || Contains(refused.err, "Could not convert")) << refused.err;
    }
    const HostResult language = folder.RunPlain({"--lang", "fr", "device", "list"});
    EXPECT_TRUE(Contains(language.err, "--lang: \"fr\" is not accepted; expected one of zh, en")) << language.err;
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), before);
}

TEST(CommandLine, TheWindowRefusesADeviceTheProjectLacks) {
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
    const HostResult refused = folder.Run({"gui", "NOPE"});  // refused before any window is opened
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Contains(refused.err, "has no device named NOPE")) << refused.err;
}
