// What protects a project: refusals change nothing, images the driver cannot read are kept, errors
// of the driver and of the command line are reported with their exit status.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "host_runner.h"

namespace {

/// A project with one default device, and its stored image.
class OneDevice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
        image = folder.Run({"image", "PLC1"}).out;
        ASSERT_EQ(image.size(), 470u);
    }
    /// Replaces the device's stored image by these bytes.
    void LoadImage(const std::string& bytes) {
        folder.WriteFile(folder.PathOf("crafted.img"), bytes);
        ASSERT_EQ(folder.Run({"image", "load", "PLC1", folder.PathOf("crafted.img")}).exitCode, 0);
    }

    HostFolder folder;
    std::string image;
};

TEST_F(OneDevice, ImageRoundTripsThroughFilesAndOtherDevices) {
    ASSERT_EQ(folder.Run({"channel", "add", "PLC1", "--reg", "V", "--type", "17", "--addr", "9.0", "--count", "50"}).exitCode, 0);
    const std::string changed = folder.Run({"image", "PLC1"}).out;
    ASSERT_EQ(folder.Run({"image", "PLC1", "--out", folder.PathOf("plc1.img")}).exitCode, 0);
    EXPECT_EQ(folder.ReadFile(folder.PathOf("plc1.img")), changed);

    ASSERT_EQ(folder.Run({"device", "add", "Copy"}).exitCode, 0);
    ASSERT_EQ(folder.Run({"image", "load", "Copy", folder.PathOf("plc1.img")}).exitCode, 0);
    EXPECT_EQ(folder.Run({"channel", "list", "Copy"}).out, folder.Run({"channel", "list", "PLC1"}).out);
    EXPECT_EQ(folder.Run({"image", "load", "Nobody", folder.PathOf("plc1.img")}).exitCode, 1);
    EXPECT_EQ(folder.Run({"image", "load", "Copy", folder.PathOf("missing.img")}).exitCode, 1);
    const HostResult endless = folder.Run({"image", "load", "Copy", "/dev/zero"});
    EXPECT_EQ(endless.exitCode, 1);
    EXPECT_NE(endless.err.find("/dev/zero: not a regular file"), std::string::npos) << endless.err;
    EXPECT_EQ(folder.Run({"channel", "list", "Copy"}).out, folder.Run({"channel", "list", "PLC1"}).out);
}

TEST_F(OneDevice, NewerImageFormatIsShownButNeverOverwritten) {
    std::string newer = image;
    newer[0] = '\x22';  // format version 20002
    LoadImage(newer);

    for (const std::vector<std::string>& change : std::vector<std::vector<std::string>>{
             {"prop", "set", "PLC1", "槽号[Slot]=2"},
             {"channel", "add", "PLC1", "--reg", "I", "--type", "0", "--addr", "4"},
             {"channel", "delete", "PLC1", "--all"}}) {
        const HostResult refused = folder.Run(change);
        EXPECT_EQ(refused.exitCode, 1) << change[0] << ' ' << change[1];
        EXPECT_NE(refused.err.find("20002"), std::string::npos) << refused.err;
    }
    const HostResult props = folder.Run({"prop", "get", "PLC1"});
    EXPECT_EQ(props.exitCode, 0);
    EXPECT_EQ(SplitLines(props.out)[3], "槽号[Slot]\t1\t0");
    EXPECT_EQ(SplitLines(folder.Run({"channel", "list", "PLC1"}).out).size(), 1u);
    EXPECT_EQ(folder.Run({"channel", "info", "PLC1"}).exitCode, 0);
    EXPECT_EQ(folder.Run({"image", "PLC1"}).out, newer);
}

TEST_F(OneDevice, DriverInvalidArgumentIsReportedAndNothingIsSaved) {
    LoadImage(std::string("\x21\x4E\xFF\xFF\xFF\xFF", 6));  // a negative property count
    const std::string project = folder.ReadFile(folder.ProjectPath());

    const HostResult get = folder.Run({"prop", "get", "PLC1"});
    EXPECT_EQ(get.exitCode, 1);
    EXPECT_EQ(get.out, "");
    EXPECT_NE(get.err.find("SvrInitDevSet"), std::string::npos) << get.err;
    EXPECT_NE(get.err.find("invalid-argument"), std::string::npos) << get.err;
    EXPECT_EQ(folder.Run({"prop", "set", "PLC1", "槽号[Slot]=2"}).exitCode, 1);
    EXPECT_EQ(folder.Run({"channel", "add", "PLC1", "--reg", "I", "--type", "0", "--addr", "4"}).exitCode, 1);
    EXPECT_EQ(folder.Run({"channel", "list", "PLC1"}).exitCode, 1);
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), project);
}

TEST_F(OneDevice, ImagesCutShortAreRefusedAndNeverSavedOver) {
    LoadImage(image.substr(0, 200));  // ends inside the third row
    const std::string project = folder.ReadFile(folder.ProjectPath());
    const HostResult list = folder.Run({"channel", "list", "PLC1"});
    EXPECT_EQ(list.exitCode, 1);
    EXPECT_NE(list.err.find("PLC1"), std::string::npos) << list.err;
    EXPECT_NE(list.err.find("damaged stored image"), std::string::npos) << list.err;
    const HostResult add = folder.Run({"channel", "add", "PLC1", "--reg", "I", "--type", "0", "--addr", "4"});
    EXPECT_EQ(add.exitCode, 1);
    EXPECT_NE(add.err.find("device PLC1"), std::string::npos) << add.err;
    EXPECT_EQ(folder.Run({"prop", "get", "PLC1"}).exitCode, 1);
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), project);
    LoadImage("");  // an empty archive: the driver makes the default record again
    EXPECT_EQ(folder.Run({"prop", "set", "PLC1", "槽号[Slot]=2"}).exitCode, 0);
    EXPECT_EQ(folder.Run({"image", "PLC1"}).out.size(), 470u);
}

TEST_F(OneDevice, OutputThatCannotBeWrittenLeavesTheProjectAsItWas) {
    const std::string before = folder.ReadFile(folder.ProjectPath());
    folder.SendOutputTo("/dev/full");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"prop", "set", "PLC1", "机架号[Rack]=3"},
             {"channel", "add", "PLC1", "--reg", "M", "--type", "11", "--addr", "20"},
             {"import", "PLC1", "--tags", std::string(VIREO_EXAMPLES) + "/PLCTags.xml"}}) {
        const HostResult result = folder.Run(args);
        EXPECT_EQ(result.exitCode, 1) << args[0];
        EXPECT_NE(result.err.find("cannot write the output; nothing was changed"), std::string::npos) << result.err;
    }
    folder.SendOutputTo("");
    EXPECT_EQ(folder.Run({"image", "PLC1"}).out, image);
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), before);
}

TEST_F(OneDevice, UsageErrorsExitWithTwoAndChangeNothing) {
    const std::string project = folder.ReadFile(folder.ProjectPath());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"device"},
             {"prop", "set", "PLC1", "no-assignment"},
             {"channel", "add", "PLC1", "--reg", "X", "--type", "0", "--addr", "0"},
             {"channel", "add", "PLC1", "--reg", "I", "--type", "0"},
             {"channel", "add", "PLC1", "--reg", "I", "--type", "0", "--addr", "0", "--rw", "3"},
             {"channel", "add", "PLC1", "--reg", "I", "--type", "zero", "--addr", "0"},
             {"channel", "list", "PLC1", "--format", "xml"},
             {"channel", "info", "PLC1", "first"},
             {"image"},
             {"--lang", "fr", "device", "list"}}) {
        const HostResult result = folder.Run(args);
        EXPECT_EQ(result.exitCode, 2) << (args.empty() ? "(no command)" : args[0]);
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), project);
}

TEST_F(OneDevice, DriverThatCannotServeACommandIsNamed) {
    const HostResult explicitDriver = folder.RunPlain({"--project", folder.ProjectPath(), "--driver", VIREO_DRIVER_PATH, "prop", "get", "PLC1"});
    EXPECT_EQ(explicitDriver.exitCode, 0);

    const HostResult missing = folder.Run({"--driver", folder.PathOf("none.so"), "prop", "get", "PLC1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.so"), std::string::npos);

    // A shared object without the exports: the first one a command needs is named.
    const HostResult lacking = folder.Run({"--driver", VIREO_OTHER_LIBRARY, "prop", "get", "PLC1"});
    EXPECT_EQ(lacking.exitCode, 1);
    EXPECT_NE(lacking.err.find("lacks the export SvrInitDevSet"), std::string::npos) << lacking.err;
    // Commands that do not call the driver still work.
    EXPECT_EQ(folder.Run({"--driver", VIREO_OTHER_LIBRARY, "channel", "list", "PLC1"}).exitCode, 0);
}

TEST_F(OneDevice, ProjectHeldByAnotherProcessIsReported) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(folder.ProjectPath().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const HostResult busy = folder.Run({"device", "list"});
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(busy.exitCode, 1);
    EXPECT_NE(busy.err.find("in use by another process"), std::string::npos) << busy.err;
    EXPECT_EQ(folder.Run({"device", "list"}).out, "PLC1\n");
}

TEST_F(OneDevice, NewProjectsStoreImagesInLargePages) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(folder.ProjectPath().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* pageSize = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &pageSize, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(pageSize), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(pageSize, 0), 65536);
    sqlite3_finalize(pageSize);
    sqlite3_close(db);
}

TEST(Project, OnlyProjectsAreOpenedAndAFailedStartLeavesNoFile) {
    HostFolder folder;
    EXPECT_EQ(folder.Run({"--driver", folder.PathOf("none.so"), "device", "add", "PLC1"}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.ProjectPath()));

    folder.WriteFile(folder.PathOf("notes.txt"), "not a database\n");
    EXPECT_EQ(folder.RunPlain({"--project", folder.PathOf("notes.txt"), "device", "add", "PLC1"}).exitCode, 1);
    EXPECT_EQ(folder.ReadFile(folder.PathOf("notes.txt")), "not a database\n");

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(folder.PathOf("other.db").c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE readings (value INTEGER)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const HostResult other = folder.RunPlain({"--project", folder.PathOf("other.db"), "device", "add", "PLC1"});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_NE(other.err.find("not a vireo-host project"), std::string::npos) << other.err;
}

}  // namespace
