// vireo-host types: the data structure editor driven from the command line. Every test runs a copy
// of the installed tree in its own folder, so DataType.xml (beside the copied driver's folder)
// belongs to the test alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <regex>

#include "host_runner.h"

namespace fs = std::filesystem;

namespace {

class TypesTest : public ::testing::Test {
protected:
    /// Copies bin/vireo-host, lib/*.so and the driver with its language library into the folder.
    TypesTest() {
        const fs::path buildTree = fs::path(VIREO_HOST_PATH).parent_path().parent_path();
        const fs::path root = folder.PathOf("tree");
        fs::create_directories(root / "bin");
        fs::create_directories(root / "lib");
        fs::create_directories(root / "drivers" / "Vireo_EX");
        fs::copy_file(VIREO_HOST_PATH, root / "bin" / "vireo-host");
        for (const fs::directory_entry& entry : fs::directory_iterator(buildTree / "lib"))
            if (entry.path().extension() == ".so") fs::copy_file(entry.path(), root / "lib" / entry.path().filename());
        const fs::path driverDir = fs::path(VIREO_DRIVER_PATH).parent_path();
        for (const char* file : {"Vireo_EX.so", "Vireo_EX_lang.so"}) fs::copy_file(driverDir / file, root / "drivers" / "Vireo_EX" / file);
        host = (root / "bin" / "vireo-host").string();
        dataTypeFile = (root / "drivers" / "DataType.xml").string();
    }

    HostResult Types(const std::vector<std::string>& args, const char* lang = "zh") const {
        std::vector<std::string> all = {"--lang", lang, "types"};
        all.insert(all.end(), args.begin(), args.end());
        return folder.RunProgram(host, all);
    }

    std::string DataTypeFile() const { return folder.ReadFile(dataTypeFile); }

    HostFolder folder;
    std::string host;
    std::string dataTypeFile;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

constexpr const char* kDriveUdt =
    "TYPE \"Drive\"\r\nVERSION : 0.1\r\n   STRUCT\r\n      speed : Int;   // rpm\r\n      label : String[12];\r\n"
    "      table : Array[0..3] of Real;\r\n   END_STRUCT;\r\n\r\nEND_TYPE\r\n\r\n";

}  // namespace

TEST_F(TypesTest, ANewStructureFromABatchTextIsSavedListedAndShownByAFreshProcess) {
    folder.WriteFile(folder.PathOf("motor.txt"), "speed\tInt\t0\tFalse\tTrue\tTrue\tFalse\tset point\n"
                                                 "limits\tArray[1..2] of String[8]\t\tFalse\tTrue\tfalse\tFalse\t\n");
    const HostResult made = Types({"new", "Motor", "--batch", "motor.txt"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out, "Name\tType\tComment\tAccess\nspeed\tInt\tset point\tRead/Write\n"
                        "limits\tArray [1..2] of String[8]\t\tRead Only\n");
    const std::string file = DataTypeFile();
    EXPECT_TRUE(Contains(file, "<Struct Name=\"Motor\" Length =\"0\" Mode=\"1\" Mark=\"\">")) << file;
    EXPECT_TRUE(Contains(file, "<Element Name=\"limits\" Type=\"Array [1..2] of String\" Length=\"8\" Read=\"1\" Write=\"0\" Mark=\"\"/>")) << file;

    const HostResult listed = Types({"list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const std::vector<std::string> lines = SplitLines(listed.out);
    EXPECT_EQ(lines.front(), "Group\tName");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "预定义\tDTL"), lines.end());
    EXPECT_EQ(lines.back(), "用户定义\tMotor");
    EXPECT_EQ(Types({"show", "Motor"}).out, made.out);
    const HostResult english = Types({"list"}, "en");
    EXPECT_EQ(SplitLines(english.out).back(), "User-defined\tMotor");

    // A second structure of that name is refused and leaves the first as it was.
    const HostResult again = Types({"new", "Motor", "--batch", "motor.txt"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(Contains(again.err, "exists already")) << again.err;
    EXPECT_EQ(DataTypeFile(), file);

    // Deleted through the English menu, it is gone from the file and from the next list.
    EXPECT_EQ(Types({"delete", "Motor"}, "en").exitCode, 0);
    EXPECT_FALSE(Contains(DataTypeFile(), "<Struct"));
    EXPECT_FALSE(Contains(Types({"list"}).out, "Motor"));
}

TEST_F(TypesTest, ImportReadsAUdtSourceAndAsksBeforeReplacing) {
    folder.WriteFile(folder.PathOf("Drive.udt"), kDriveUdt);
    const HostResult imported = Types({"import", "Drive.udt"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(SplitLines(imported.out).back(), "用户定义\t\"Drive\"");
    const std::string file = DataTypeFile();
    EXPECT_TRUE(Contains(file, "<Struct Name=\"&quot;Drive&quot;\" Length =\"0\" Mode=\"1\" Mark=\"\">")) << file;
    EXPECT_TRUE(Contains(file, "<Element Name=\"table\" Type=\"Array [0..3] of Real\" Length=\"0\" Read=\"1\" Write=\"1\" Mark=\"\"/>")) << file;
    const HostResult shown = Types({"show", "\"Drive\""});
    EXPECT_EQ(shown.out, "Name\tType\tComment\tAccess\nspeed\tInt\trpm\tRead/Write\nlabel\tString[12]\t\tRead/Write\n"
                         "table\tArray [0..3] of Real\t\tRead/Write\n");

    // Changed source: kept with --keep-existing, replaced without it.
    std::string changed = kDriveUdt;
    changed.replace(changed.find("speed : Int"), 11, "speed : DInt");
    folder.WriteFile(folder.PathOf("Drive.udt"), changed);
    EXPECT_EQ(Types({"import", "--keep-existing", "Drive.udt"}).exitCode, 0);
    EXPECT_EQ(DataTypeFile(), file);
    EXPECT_EQ(Types({"import", "Drive.udt"}).exitCode, 0);
    EXPECT_TRUE(Contains(Types({"show", "\"Drive\""}).out, "speed\tDInt\trpm\tRead/Write"));
    EXPECT_TRUE(Contains(Types({"show", "Drive"}).out, "speed\tDInt\trpm\tRead/Write"));  // the quotes may be left out
    EXPECT_FALSE(Contains(DataTypeFile(), "Type=\"Int\""));
}

TEST_F(TypesTest, RefusedCommandsSayWhatTheEditorShowed) {
    folder.WriteFile(folder.PathOf("Broken.udt"), "TYPE \"Broken\"\r\n   STRUCT\r\n      not a member\r\n   END_STRUCT;\r\nEND_TYPE\r\n");
    const HostResult broken = Types({"import", "Broken.udt"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(Contains(broken.err, "Broken.udt: 数据类型文件格式错误")) << broken.err;

    folder.WriteFile(folder.PathOf("bad.txt"), "a\tInt\t0\tx\tTrue\tTrue\nb\tInt\t0\n");
    const HostResult badBatch = Types({"new", "Bad", "--batch", "bad.txt"});
    EXPECT_EQ(badBatch.exitCode, 1);
    EXPECT_TRUE(Contains(badBatch.err, "遇到不正确的参数。")) << badBatch.err;
    EXPECT_TRUE(Contains(badBatch.err, "请至少添加一个数据成员。")) << badBatch.err;

    EXPECT_EQ(Types({"show", "Nothing"}).exitCode, 1);
    EXPECT_EQ(Types({"delete", "Nothing"}).exitCode, 1);
    EXPECT_EQ(Types({"import", "missing.udt"}).exitCode, 1);
    EXPECT_FALSE(Contains(DataTypeFile(), "<Struct"));
}

TEST_F(TypesTest, AReadOnlyOrDamagedDataTypeFileIsReportedAndLeftByteForByte) {
    folder.WriteFile(folder.PathOf("drive.udt"), kDriveUdt);
    ASSERT_EQ(Types({"import", "drive.udt"}).exitCode, 0);
    const std::string saved = DataTypeFile();
    fs::permissions(dataTypeFile, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    folder.WriteFile(folder.PathOf("motor.txt"), "speed\tInt\t0\tFalse\tTrue\tTrue\tFalse\t\n");
    for (const std::vector<std::string>& change : std::vector<std::vector<std::string>>{
             {"new", "Motor", "--batch", "motor.txt"}, {"import", "drive.udt"}, {"delete", "\"Drive\""}}) {
        const HostResult refused = Types(change, "en");
        EXPECT_EQ(refused.exitCode, 1) << change[0];
        EXPECT_TRUE(Contains(refused.err, "DataType.xml is read-only")) << refused.err;
        EXPECT_EQ(DataTypeFile(), saved) << change[0];
    }
    EXPECT_EQ(fs::status(dataTypeFile).permissions() & fs::perms::owner_write, fs::perms::none);

    for (const std::string& damaged : {std::string(), saved.substr(0, saved.size() / 2), std::string("garbage")}) {
        fs::permissions(dataTypeFile, fs::perms::owner_all);
        folder.WriteFile(dataTypeFile, damaged);
        for (const std::vector<std::string>& reading : std::vector<std::vector<std::string>>{{"list"}, {"show", "\"Drive\""}}) {
            const HostResult reported = Types(reading, "en");
            EXPECT_EQ(reported.exitCode, 1) << reading[0];
            EXPECT_TRUE(Contains(reported.err, "DataType.xml cannot be read")) << reported.err;
        }
        EXPECT_EQ(Types({"import", "drive.udt"}, "en").exitCode, 1);
        EXPECT_EQ(DataTypeFile(), damaged);
    }
}

TEST_F(TypesTest, SourcesWithoutAnyTypeAreRefusedAndLeftoverStructuresNeverSaved) {
    ASSERT_EQ(Types({"list"}).exitCode, 0);  // makes the empty file
    const std::string empty = DataTypeFile();
    const std::vector<std::pair<std::string, std::string>> unusable = {
        {"garbage.udt", "\x01\x02 no type here\n"}, {"empty.udt", ""}, {"bom.udt", "\xEF\xBB\xBF"},
        {"tags.udt", "<?xml version=\"1.0\"?><Tagtable><Tag>x</Tag></Tagtable>"}};
    for (const auto& [name, text] : unusable) {
        folder.WriteFile(folder.PathOf(name), text);
        const HostResult refused = Types({"import", name});
        EXPECT_EQ(refused.exitCode, 1) << name;
        EXPECT_TRUE(Contains(refused.err, name)) << refused.err;
        EXPECT_EQ(DataTypeFile(), empty) << name;
    }
    // Things that are not regular files are refused by name, at once.
    const HostResult device = Types({"import", "/dev/zero"});
    EXPECT_EQ(device.exitCode, 1);
    EXPECT_TRUE(Contains(device.err, "/dev/zero: not a regular file")) << device.err;
    // A Struct that is never closed: the type fails, and the structure made for the Struct stays out.
    folder.WriteFile(folder.PathOf("open.udt"), "TYPE \"Open\"\r\n   STRUCT\r\n      inner : Struct\r\n         a : Int;\r\n"
                                                "   END_STRUCT;\r\nEND_TYPE\r\n");
    Types({"import", "open.udt"});
    EXPECT_FALSE(Contains(DataTypeFile(), "{")) << DataTypeFile();
    EXPECT_FALSE(Contains(Types({"list"}).out, "{"));
}

TEST_F(TypesTest, ImportWritesTheFileOnceAndTakesTimeLinearInTheTypes) {
    auto source = [](int types, int from) {
        std::string text;
        for (int i = from; i < from + types; ++i)
            text += "TYPE \"T" + std::to_string(i) + "\"\r\n   STRUCT\r\n      a : Int;\r\n      s : Struct\r\n         b : Bool;\r\n"
                    "      END_STRUCT;\r\n   END_STRUCT;\r\nEND_TYPE\r\n\r\n";
        return text;
    };
    folder.WriteFile(folder.PathOf("small.scl"), source(500, 0));
    folder.WriteFile(folder.PathOf("large.scl"), source(2000, 1000));
    auto timed = [&](const char* file) {
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(Types({"import", file}).exitCode, 0);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    const double small = timed("small.scl");
    const double large = timed("large.scl");
    EXPECT_LT(large, 8 * small + 0.5);  // four times the types: far less than sixteen times the time
    const std::string file = DataTypeFile();
    EXPECT_TRUE(Contains(file, "Name=\"&quot;T2999&quot;\""));
    EXPECT_EQ(std::count(file.begin(), file.end(), '{'), 2 * 2500);  // one nested structure for each type, named twice

    // Killed at random moments, the import leaves the file as it was before or as it is after
    // (the names of the nested structures aside, which are new GUIDs in every run).
    auto withoutGuids = [](const std::string& text) { return std::regex_replace(text, std::regex("\\{[0-9A-F-]+\\}"), "{}"); };
    const std::string before = file;
    folder.WriteFile(folder.PathOf("more.scl"), source(2000, 5000));
    ASSERT_EQ(Types({"import", "more.scl"}).exitCode, 0);
    const std::string after = withoutGuids(DataTypeFile());
    std::mt19937 rng(19);
    int seenBefore = 0, seenAfter = 0;
    for (int kill = 0; kill < 24; ++kill) {
        folder.WriteFile(dataTypeFile, before);
        const int delayMs = static_cast<int>(rng() % 300);
        folder.RunProgramKilledAfter(host, {"types", "import", "more.scl"}, delayMs);
        const std::string now = DataTypeFile();
        if (now == before) ++seenBefore;
        else if (withoutGuids(now) == after) ++seenAfter;
        else ADD_FAILURE() << "killed after " << delayMs << " ms the file is neither before nor after";
    }
    EXPECT_EQ(seenBefore + seenAfter, 24);
}
