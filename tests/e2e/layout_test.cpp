// vireo-host layout: the dry run of a tag import on the examples, on files written here, and on
// every real export at hand.
#include <gtest/gtest.h>

#include <filesystem>

#include "host_runner.h"

TEST(Layout, ExamplesGiveTheirLeavesInLayoutOrder) {
    HostFolder folder;
    const std::string examples = VIREO_EXAMPLES;
    const HostResult result = folder.Run({"layout", "--types", examples + "/MotorData.udt", "--tags", examples + "/PLCTags.xml",
                                          "--db", examples + "/DB1_Conveyor.db"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], "Name\tType\tBlock\tOffset\tRead\tWrite\tLength\tMark\tChannel");
    EXPECT_EQ(lines[1], "Start\tBool\tI\t0.3\t1\t0\t0\tstart button\t");
    EXPECT_EQ(lines[4], "Status\tByte\tM\t2.0\t0\t1\t0\t\t");
    EXPECT_EQ(lines[10], "Conveyor.Belt.Photocell[1]\tBool\tDB1\t12.0\t1\t1\t0\tbelt sensors\t");
    EXPECT_EQ(lines[14], "Conveyor.Recipe\tString\tDB1\t16.0\t1\t1\t16\t\t");
    EXPECT_EQ(lines[15], "Conveyor.StartDelay.PT\tTime\tDB1\t38.0\t1\t1\t0\t\tnone: no channel type");
    EXPECT_EQ(lines[17], "Conveyor.StartDelay.IN\tBool\tDB1\t46.1\t1\t1\t0\t\t");
    EXPECT_EQ(lines[21], "Conveyor.Counts[1][0]\tInt\tDB1\t54.0\t1\t1\t0\t\t");
    EXPECT_EQ(lines[23], "Conveyor.Spare\tByte\tDB1\t58.0\t0\t0\t0\t\tread-only: hidden");
    // The notes the import's status list shows after its own rows.
    EXPECT_EQ(lines[24].substr(0, 9), "NOTE\t2个");
    EXPECT_EQ(lines[25].substr(0, 9), "NOTE\t1个");
    EXPECT_FALSE(std::filesystem::exists(folder.ProjectPath()));  // a dry run touches no project
}

TEST(Layout, FailuresAndUnknownTypes) {
    HostFolder folder;
    folder.WriteFile(folder.PathOf("DB2_a.db"), "DATA_BLOCK \"Tab\tname\"\nSTRUCT\n x : \"Missing\";\n y : Int;\n z : Missing2;\n"
                                                "w : \"Missing\";\nEND_STRUCT;\nEND_DATA_BLOCK\n");
    folder.WriteFile(folder.PathOf("DB2_b.db"), "DATA_BLOCK \"b\"\n");
    folder.WriteFile(folder.PathOf("Motor.db"), "DATA_BLOCK \"M\"\n");
    folder.WriteFile(folder.PathOf("DB3_o.db"), "DATA_BLOCK \"O\"\n{ S7_Optimized_Access := 'TRUE' }\n");
    folder.WriteFile(folder.PathOf("DB4_t.db"), "no quoted title\n");
    // Stops past the range of a bit offset after thousands of leaves were laid out and printed.
    folder.WriteFile(folder.PathOf("DB5_o.db"), "DATA_BLOCK \"Big\"\nSTRUCT\n a : Array[0..19999] of Int;\n"
                                                " w : Array[0..8191] of WString[16382];\nEND_STRUCT;\nEND_DATA_BLOCK\n");
    // Relative paths are taken from the current folder; spellings of one path name one file.
    HostResult result = folder.Run({"layout", "--db", "DB2_a.db", "--db", "./sub/../DB2_a.db", "--name-by", "file"});
    EXPECT_EQ(result.exitCode, 3);
    const std::string a = folder.PathOf("DB2_a.db");
    EXPECT_EQ(result.out, "Name\tType\tBlock\tOffset\tRead\tWrite\tLength\tMark\tChannel\nDB2_a.y\tInt\tDB2\t0.0\t1\t1\t0\t\t\n"
                          "UNKNOWN\t\"Missing\"\nUNKNOWN\tMissing2\n"
                          "NOTE\t" + a + "：类型\"Missing\"未定义，使用者：DB2_a.x\n"
                          "NOTE\t" + a + "：类型Missing2未定义，使用者：DB2_a.z\n");
    EXPECT_NE(folder.Run({"layout", "--db", "DB2_a.db"}).out.find("\nTab\\tname.y\tInt\t"), std::string::npos);  // escaped
    // Each failure says where it lies: the file, and the line where there is one.
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"--db", "DB2_a.db", "--db", "Motor.db"},
         "ERROR\t1\tDB块命名错误\nNOTE\t" + folder.PathOf("Motor.db") + "：DB块名称“DB0”无效（应为DB1至DB60000，取自以DBn_开头的文件名，或在列表中更正）\n"},
        {{"--db", "DB2_a.db", "--db", "DB2_b.db"}, "ERROR\t2\tDB块命名重复\nNOTE\t" + a + "与" + folder.PathOf("DB2_b.db") + "的DB块名称都是“DB2”\n"},
        {{"--db", "DB3_o.db"}, "ERROR\t-11\tDB块属性错误(应该采取不优化)\nNOTE\t" + folder.PathOf("DB3_o.db") + " 第2行：{ S7_Optimized_Access := 'TRUE' }\n"},
        {{"--db", "DB4_t.db"}, "ERROR\t-15\t获取DB块基本信息失败\nNOTE\t" + folder.PathOf("DB4_t.db") + " 第1行：no quoted title\n"},
        {{"--db", "DB5_o.db"}, "ERROR\t-17\t成员位置超出32位位地址范围，无法导入\nNOTE\t" + folder.PathOf("DB5_o.db") +
                                   "：成员Big.w[8191]（类型WString）的位置超出32位位地址范围\n"},
        {{"--types", "DB3_o.db", "--db", "DB2_a.db"}, "ERROR\t-11\tDB块属性错误(应该采取不优化)\nNOTE\t" + folder.PathOf("DB3_o.db") + " 第2行：{ S7_Optimized_Access := 'TRUE' }\n"}};
    for (auto [args, expected] : failures) {
        args.insert(args.begin(), "layout");
        result = folder.Run(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, expected);
    }
    // A block name corrected as in the dialog's list, as import takes it.
    result = folder.Run({"layout", "--db", "Motor.db", "--block", "Motor.db=DB9"});
    EXPECT_NE(result.out.find("\nUNKNOWN\tDB9\n"), std::string::npos) << result.out;  // a block without members
    EXPECT_EQ(folder.RunPlain({"--lang", "en", "layout", "--db", "DB4_t.db"}).out,
              "ERROR\t-15\tFailed to read the basic information of the DB\nNOTE\t" + folder.PathOf("DB4_t.db") + " line 1: no quoted title\n");
    // What import refuses as a usage error, layout refuses the same way.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"layout", "--name-by", "title-case"}, {"layout", "--tags", "missing.xml"}, {"layout", "--types", "DB2_a.db"},
             {"layout", "--db", "DB2_a.db", "--block", "Other.db=DB3"}}) {
        result = folder.Run(args);
        EXPECT_EQ(result.exitCode, 2) << args.back();
        EXPECT_NE(result.err, "") << args.back();
    }
}

namespace {

/// What a layout tells beside its leaves, in order: unknown types, the failure, the notes.
std::vector<std::string> LayoutTexts(const std::string& out) {
    std::vector<std::string> texts;
    for (const std::string& line : SplitLines(out)) {
        for (const char* kind : {"UNKNOWN\t", "NOTE\t"})
            if (line.rfind(kind, 0) == 0) texts.push_back(line.substr(std::string(kind).size()));
        if (line.rfind("ERROR\t", 0) == 0) texts.push_back(line.substr(line.find('\t', 6) + 1));
    }
    return texts;
}

/// What an import's status list tells, up to the dry run's summary, without "导入成功".
std::vector<std::string> ImportTexts(const std::string& out) {
    std::vector<std::string> texts;
    for (const std::string& line : SplitLines(out)) {
        if (line.rfind("summary\t", 0) == 0) break;
        const std::string text = line.substr(line.find('\t') + 1);
        if (text != "导入成功") texts.push_back(text);
    }
    return texts;
}

}  // namespace

TEST(Layout, EveryRealExportGoesThroughWithoutFaultAndAsTheImportWould) {
    std::vector<std::filesystem::path> files;
    for (const char* dir : {VIREO_TEST_DATA, VIREO_SHARED_SAMPLES, VIREO_EXAMPLES}) {
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(dir, missing)) files.push_back(entry.path());
    }
    ASSERT_FALSE(files.empty());
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
    // A data type source given with --types beside a file that holds a data block as well: only
    // the blocks the import itself reads are laid out.
    const std::string types = folder.PathOf("Types.udt");
    folder.WriteFile(types, "TYPE \"T\"\nSTRUCT\n a : Int;\nEND_STRUCT;\nEND_TYPE\nDATA_BLOCK \"InTypes\"\nSTRUCT\n b : \"T\";\nEND_STRUCT;\n"
                            "BEGIN\nEND_DATA_BLOCK\n");
    files.push_back(types);
    for (const std::filesystem::path& file : files) {
        const std::string copy = folder.PathOf("DB1_" + file.filename().string());  // a block number in the name
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
        for (const char* option : {"--db", "--types", "--tags"}) {
            std::vector<std::string> sources = {option, option[2] == 'd' ? copy : file.string()};
            if (option[3] == 'y') sources.insert(sources.end(), {"--tags", std::string(VIREO_EXAMPLES) + "/PLCTags.xml"});
            std::vector<std::string> args = sources;
            args.insert(args.begin(), "layout");
            const HostResult layout = folder.Run(args);
            EXPECT_TRUE(layout.exitCode == 0 || layout.exitCode == 1 || layout.exitCode == 3) << file << " " << layout.exitCode;
            EXPECT_EQ(layout.err, "") << file;
            EXPECT_EQ(layout.out.find("InTypes"), std::string::npos) << file;

            args = sources;
            args.insert(args.begin(), {"import", "PLC1"});
            args.push_back("--dry-run");
            const HostResult import = folder.Run(args);
            EXPECT_EQ(import.exitCode, layout.exitCode == 0 ? 0 : 1) << file << " " << option;
            EXPECT_EQ(ImportTexts(import.out), LayoutTexts(layout.out)) << file << " " << option;
        }
    }
}
