// vireo-host import: the tag import dialog worked from the command line, on the examples and on
// files written here. Only an import that ends the dialog with OK changes the project.
#include <gtest/gtest.h>

#include <algorithm>

#include "host_runner.h"

namespace {

const std::string kExamples = VIREO_EXAMPLES;

/// A project with device PLC1, its eight default channels deleted.
class ImportTest : public ::testing::Test {
protected:
    ImportTest() {
        EXPECT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
        EXPECT_EQ(folder.Run({"channel", "delete", "PLC1", "--all"}).exitCode, 0);
    }

    HostResult Import(std::vector<std::string> args) const {
        args.insert(args.begin(), {"import", "PLC1"});
        return folder.Run(args);
    }
    /// The connected variable names of the stored channels, in table order.
    std::vector<std::string> Variables() const { return TsvColumn(folder.Run({"channel", "list", "PLC1"}).out, 9); }
    std::string Write(const std::string& name, const std::string& text) const {
        folder.WriteFile(folder.PathOf(name), text);
        return folder.PathOf(name);
    }

    HostFolder folder;
};

std::string Block(const std::string& title, const std::string& members) {
    return "DATA_BLOCK \"" + title + "\"\r\n{ S7_Optimized_Access := 'FALSE' }\r\nVERSION : 0.1\r\nNON_RETAIN\r\n   STRUCT \r\n" +
           members + "   END_STRUCT;\r\n\r\n\r\nBEGIN\r\n\r\nEND_DATA_BLOCK\r\n\r\n";
}

}  // namespace

TEST_F(ImportTest, ExamplesImportIntoTheChannelTableAndTheProjectKeepsThem) {
    const HostResult result = Import({"--types", kExamples + "/MotorData.udt", "--tags", kExamples + "/PLCTags.xml", "--db",
                                      kExamples + "/DB2_TankFarm.db", "--db", kExamples + "/DB1_Conveyor.db"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // The status says what made no channel, or not the channel it declares.
    EXPECT_EQ(result.out,
              "1\t导入成功\n"
              "2\t2个成员的类型没有对应的通道类型，未生成通道：Conveyor.StartDelay.PT (Time), Conveyor.StartDelay.ET (Time)\n"
              "3\t1个对HMI隐藏的成员已生成只读通道：Conveyor.Spare (Byte)\n");
    // A fresh process reads the saved device: tags first (I, Q, M), then the blocks in key order.
    const std::vector<std::string> variables = Variables();
    ASSERT_EQ(variables.size(), 46u);
    EXPECT_EQ(variables[0], "Start");
    EXPECT_EQ(variables[4], "Conveyor.Mode");
    EXPECT_EQ(variables[21], "Tank farm.Tank[1].Level");
    EXPECT_EQ(variables[45], "Tank farm.Total");
    const std::vector<std::string> names = TsvColumn(folder.Run({"channel", "list", "PLC1"}).out, 8);
    EXPECT_EQ(names[21], "DB2:读写DF000");
}

TEST_F(ImportTest, NamingByFileNameAndTheEnglishDialog) {
    const std::string db = Write("DB3_Pumps.db", Block("Pump station", "      Flow : Real;\r\n"));
    HostResult result = folder.RunPlain({"--project", folder.ProjectPath(), "--lang", "en", "import", "PLC1", "--db", db, "--name-by", "file"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "1\tImport succeeded\n");
    EXPECT_EQ(Variables(), std::vector<std::string>({"DB3_Pumps.Flow"}));
}

TEST_F(ImportTest, UnknownTypesAndFailingSourcesChangeNothing) {
    const std::string unknown = Write("DB4_a.db", Block("A", "      x : \"Missing\";\r\n      y : Int;\r\n      z : Gone;\r\n"));
    HostResult result = Import({"--db", unknown});
    EXPECT_EQ(result.exitCode, 1);
    // The dialog's rows name the types; the rows after them say who uses them, and where.
    EXPECT_EQ(result.out, "1\t\"Missing\"\n2\tGone\n3\t" + unknown + "：类型\"Missing\"未定义，使用者：A.x\n4\t" + unknown +
                              "：类型Gone未定义，使用者：A.z\n");

    const std::string optimized = Write("DB5_o.db", "DATA_BLOCK \"O\"\r\n{ S7_Optimized_Access := 'TRUE' }\r\nSTRUCT\r\n x : Int;\r\nEND_STRUCT;\r\n");
    result = Import({"--db", optimized});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "0\tDB块属性错误(应该采取不优化)\n0\t" + optimized + " 第2行：{ S7_Optimized_Access := 'TRUE' }\n");

    // A file whose title cannot be read stops at the browse: the user cancels there.
    const std::string untitled = Write("DB6_t.db", "no quoted title\r\n");
    result = Import({"--db", untitled, "--tags", kExamples + "/PLCTags.xml"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "0\t获取DB块基本信息失败\n0\t" + untitled + " 第1行：no quoted title\n");

    const std::string badTags = Write("tags.xml", "<Tagtable><Tag>unclosed");
    result = Import({"--tags", badTags});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "0\t标签文件为空或格式错误\n");

    EXPECT_TRUE(Variables().empty());
}

TEST_F(ImportTest, BlockNamesAreCheckedAndCanBeCorrectedInTheList) {
    const std::string motor = Write("Motor.db", Block("Motor", "      On : Bool;\r\n"));
    auto invalid = [&](const std::string& file, const std::string& name) {
        return "1\tDB块命名错误\n2\t" + file + "：DB块名称“" + name + "”无效（应为DB1至DB60000，取自以DBn_开头的文件名，或在列表中更正）\n";
    };
    HostResult result = Import({"--db", motor});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, invalid(motor, "DB0"));
    for (const char* name : {"DB60001", "DB", "DB1a", "db5"}) {
        result = Import({"--db", motor, "--block", motor + "=" + name});
        EXPECT_EQ(result.out, invalid(motor, name)) << name;
    }
    // A data type source given as a data block is told as such.
    const std::string udt = Write("DB6_Types.udt", "TYPE \"T\"\r\nVERSION : 0.1\r\n   STRUCT\r\n      a : Int;\r\n   END_STRUCT;\r\n\r\nEND_TYPE\r\n");
    result = Import({"--db", udt, "--block", udt + "=DB0"});
    EXPECT_EQ(result.out, "1\tDB块命名错误\n2\t" + udt + "是数据类型源文件，应作为数据类型文件导入\n");
    const std::string a = Write("DB5_a.db", Block("A", "      On : Bool;\r\n"));
    const std::string b = Write("DB5_b.db", Block("B", "      On : Bool;\r\n"));
    result = Import({"--db", a, "--db", b});
    EXPECT_EQ(result.out, "1\tDB块命名重复\n2\t" + a + "与" + b + "的DB块名称都是“DB5”\n");
    EXPECT_TRUE(Variables().empty());

    // Corrected in place, the file imports under the new block name; DB60000 is the largest.
    result = Import({"--db", motor, "--db", a, "--block", motor + "=DB60000"});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const std::vector<std::string> names = TsvColumn(folder.Run({"channel", "list", "PLC1"}).out, 8);
    EXPECT_EQ(names, std::vector<std::string>({"DB5:读写000.0", "DB60000:读写000.0"}));
}

TEST_F(ImportTest, UsageErrors) {
    EXPECT_EQ(Import({"--db", folder.PathOf("none.db")}).exitCode, 2);
    const std::string db = Write("DB7_x.db", Block("X", "      On : Bool;\r\n"));
    EXPECT_EQ(Import({"--db", db, "--block", "other.db=DB7"}).exitCode, 2);
    EXPECT_EQ(Import({"--db", db, "--block", "DB7"}).exitCode, 2);
    EXPECT_EQ(Import({"--version", "v14"}).exitCode, 2);
    EXPECT_EQ(folder.Run({"import", "NoSuchDevice", "--db", db}).exitCode, 1);
}

TEST_F(ImportTest, InputsThatCannotBeReadWholeAreRefusedByNameAtOnce) {
    // A device would be read for ever; a name that is not UTF-8 cannot reach the driver unchanged.
    const std::string badName = Write("DB8_\xFF\xFE.db", Block("X", "      On : Bool;\r\n"));
    const std::vector<std::vector<std::string>> refused = {
        {"--types", "/dev/zero"}, {"--db", "/dev/zero"}, {"--tags", "/dev/zero"}, {"--db", folder.PathOf("")}, {"--db", badName}};
    for (const std::vector<std::string>& args : refused) {
        const HostResult result = Import(args);
        EXPECT_EQ(result.exitCode, 2) << args[1];
        EXPECT_NE(result.err.find(args[1]), std::string::npos) << result.err;
        EXPECT_TRUE(Variables().empty());
    }
    EXPECT_NE(Import({"--types", "/dev/zero"}).err.find("/dev/zero: not a regular file"), std::string::npos);
}

TEST_F(ImportTest, SourcesThatHoldNothingUsableFailTheImport) {
    const std::string garbage = Write("garbage.udt", "\x01\x02 not a source\r\n");
    const std::string onlyMark = Write("mark.udt", "\xFF\xFE");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--types", garbage, "--tags", kExamples + "/PLCTags.xml"}, {"--types", onlyMark, "--tags", kExamples + "/PLCTags.xml"},
             {"--db", Write("DB9_e.db", "FUNCTION_BLOCK \"T\"\r\nBEGIN\r\n")}}) {
        const HostResult result = Import(args);
        EXPECT_EQ(result.exitCode, 1) << args[1];
        EXPECT_EQ(result.out, "0\tDB块或数据类型文件为空\n") << args[1];
    }
    // A tag table written as UTF-16 is read as one.
    std::string utf16 = "\xFF\xFE";
    for (char ch : std::string("<?xml version='1.0' encoding='utf-16'?>\n<T><Tag type='Int' addr='%MW2'>W</Tag></T>"))
        utf16 += {ch, '\0'};
    EXPECT_EQ(Import({"--tags", Write("tags16.xml", utf16)}).exitCode, 0);
    EXPECT_EQ(Variables(), std::vector<std::string>({"W"}));
}

TEST_F(ImportTest, TextsTheCodePageLacksAreReportedWithTheirMember) {
    const std::string db = Write("DB4_K.db", Block("Line", "      한 : Int;   // Größe\r\n      Ok : Int;\r\n"));
    const HostResult result = Import({"--db", db});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Line.한：字符“한öß”不在代码页中，已保存为“?”"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Line.Ok："), std::string::npos) << result.out;
    EXPECT_EQ(Variables(), std::vector<std::string>({"Line.?", "Line.Ok"}));
}

TEST_F(ImportTest, ChannelAddWarnsOfCharactersTheCodePageLacks) {
    const HostResult result = folder.Run({"channel", "add", "PLC1", "--reg", "M", "--type", "11", "--addr", "10", "--var", "Motor한", "--comment", "读写"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("--var: the characters \"한\" are not in code page 936 and were stored as \"?\""), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("--comment"), std::string::npos) << result.err;
    EXPECT_EQ(Variables(), std::vector<std::string>({"Motor?"}));
}

TEST_F(ImportTest, AnImportWithoutSourcesIsAUsageError) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{}, {"--types", kExamples + "/MotorData.udt"}}) {
        const HostResult refused = Import(args);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.err.find("give the sources to import: --tags FILE.xml or --db FILE"), std::string::npos) << refused.err;
    }
}

TEST_F(ImportTest, ImportingAgainFollowsTheSourcesAndKeepsHandMadeChannels) {
    ASSERT_EQ(folder.Run({"channel", "add", "PLC1", "--reg", "M", "--type", "11", "--addr", "500", "--var", "Hand"}).exitCode, 0);
    std::string block = folder.ReadFile(kExamples + "/DB1_Conveyor.db");
    const std::string db = Write("DB1_Conveyor.db", block);
    const std::vector<std::string> sources = {"--types", kExamples + "/MotorData.udt", "--tags", kExamples + "/PLCTags.xml", "--db", db};
    const HostResult first = Import(sources);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.err.find("21 channels added, 0 changed, 0 removed, 0 unchanged"), std::string::npos) << first.err;

    // One member more (every later member moves) and one comment changed.
    block.replace(block.find("      Drive : \"MotorData\";"), 0, "      Extra : Real;\r\n");
    block.replace(block.find("Jam : Bool;"), 11, "Jam : Bool;   // jam detected");
    Write("DB1_Conveyor.db", block);
    // A dry run says what the import would do, row by row, and changes nothing.
    const std::string project = folder.ReadFile(folder.ProjectPath());
    std::vector<std::string> dryRun = sources;
    dryRun.push_back("--dry-run");
    const HostResult tried = Import(dryRun);
    EXPECT_EQ(tried.exitCode, 0) << tried.err;
    EXPECT_NE(tried.out.find("summary\t1 channels added, 16 changed, 0 removed, 5 unchanged (dry run: nothing was changed)\n"),
              std::string::npos) << tried.out;
    EXPECT_NE(tried.out.find("\nadded\tV1.2 type 17 rw 2\tConveyor_Extra\n"), std::string::npos) << tried.out;
    EXPECT_NE(tried.out.find("\nchanged\tV1.8 type 17 rw 2\tConveyor_Drive_Speed\n"), std::string::npos) << tried.out;
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), project);
    const HostResult again = Import(sources);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.err.find("1 channels added, 16 changed, 0 removed, 5 unchanged"), std::string::npos) << again.err;
    std::vector<std::string> variables = Variables();
    EXPECT_EQ(std::count(variables.begin(), variables.end(), "Hand"), 1);
    std::sort(variables.begin(), variables.end());
    EXPECT_EQ(std::adjacent_find(variables.begin(), variables.end()), variables.end()) << "a variable name twice";

    // The same rows as a fresh import of the new sources, and unchanged sources change nothing.
    HostFolder fresh;
    ASSERT_EQ(fresh.Run({"device", "add", "PLC1"}).exitCode, 0);
    ASSERT_EQ(fresh.Run({"channel", "delete", "PLC1", "--all"}).exitCode, 0);
    ASSERT_EQ(fresh.Run({"channel", "add", "PLC1", "--reg", "M", "--type", "11", "--addr", "500", "--var", "Hand"}).exitCode, 0);
    std::vector<std::string> freshImport = {"import", "PLC1"};
    freshImport.insert(freshImport.end(), sources.begin(), sources.end());
    ASSERT_EQ(fresh.Run(freshImport).exitCode, 0);
    const std::string image = folder.Run({"image", "PLC1"}).out;
    EXPECT_EQ(image, fresh.Run({"image", "PLC1"}).out);
    const HostResult unchanged = Import(sources);
    EXPECT_NE(unchanged.err.find("0 channels added, 0 changed, 0 removed, 22 unchanged"), std::string::npos) << unchanged.err;
    EXPECT_EQ(folder.Run({"image", "PLC1"}).out, image);

    // A member that went away loses its channel.
    block.replace(block.find("      Extra : Real;\r\n"), 19, "");
    Write("DB1_Conveyor.db", block);
    const HostResult fewer = Import(sources);
    EXPECT_NE(fewer.err.find("0 channels added, 16 changed, 1 removed, 5 unchanged"), std::string::npos) << fewer.err;
    const std::vector<std::string> left = Variables();
    EXPECT_EQ(std::count(left.begin(), left.end(), "Conveyor.Extra"), 0);
    EXPECT_EQ(left.size(), variables.size() - 1);
}

TEST_F(ImportTest, AShortenedVariableNameCarriesItsPlaceInTheWholeTable) {
    // The driver shortens a variable name of 500 characters or more and ends it with the row's
    // place in the list it describes; the import describes a large table a part at a time, and the
    // name it reports and records is still the one with the row's place in the whole table.
    const std::string part(120, 'N');
    std::string members = "      Big : Array[0..8999] of Bool;\r\n";
    for (int level = 0; level < 4; ++level) members += "      " + part + std::to_string(level) + " : Struct\r\n";
    members += "      " + part + "4 : Int;\r\n";
    for (int level = 0; level < 4; ++level) members += "      END_STRUCT;\r\n";
    const std::string db = Write("DB1_Long.db", Block("Long", members));
    const HostResult tried = Import({"--db", db, "--dry-run"});
    ASSERT_EQ(tried.exitCode, 0) << tried.err;
    EXPECT_NE(tried.out.find("summary\t9001 channels added"), std::string::npos) << tried.out.substr(0, 300);
    const size_t line = tried.out.find("\nadded\tV1.1126 type 12 rw 2\tLong_" + part + "0_");
    ASSERT_NE(line, std::string::npos) << tried.out.substr(tried.out.size() - 1000);
    const size_t end = tried.out.find('\n', line + 1);
    EXPECT_EQ(tried.out.substr(end - 5, 5), "_9000");
}

TEST_F(ImportTest, BlocksImportedTogetherAreRecordedEachAsItsOwnSource) {
    // The rows of neighbouring blocks follow one another in the table; each block's rows must be
    // recorded as that block's, so that importing one of them again touches only its own rows.
    const std::string first = Write("DB1_Tank.db", Block("Tank", "      Level : Real;\r\n      Full : Bool;\r\n"));
    const std::string second = Write("DB2_Pump.db", Block("Pump", "      Speed : Int;\r\n"));
    const std::string third = Write("DB3_Valve.db", Block("Valve", "      Open : Bool;\r\n      Pos : Int;\r\n"));
    const HostResult all = Import({"--db", first, "--db", second, "--db", third});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_NE(all.err.find("5 channels added, 0 changed, 0 removed, 0 unchanged\n"), std::string::npos) << all.err;

    Write("DB2_Pump.db", Block("Pump", "      Speed : DInt;\r\n"));
    const HostResult again = Import({"--db", second});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.err.find("0 channels added, 1 changed, 0 removed, 0 unchanged\n"), std::string::npos) << again.err;
    EXPECT_EQ(Variables(), (std::vector<std::string>{"Tank.Level", "Tank.Full", "Pump.Speed", "Valve.Open", "Valve.Pos"}));
}
