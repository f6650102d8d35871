// Data block file records from chosen files, and the block name check of an import.
#include "import/db_file_info_derivation.h"
#include "types/import_result_codes.h"
#include "import_test_support.h"

TEST(DbFileInfo, BlockNamesFromFileNames) {
    const std::vector<std::pair<const char16_t*, const char16_t*>> cases = {
        {u"/p/Motor.db", u""}, {u"/p/DB3_Pumps.old.db", u"DB3"}, {u"/p/DB012_Motor.db", u"DB012"}, {u"/p/DB0_x.db", u""},
        {u"/p/DB60000_x.db", u"DB60000"}, {u"/p/DB70000_x.db", u""}, {u"/p/_DB3.db", u""}, {u"/p/db5_x.db", u""},
        {u"/p.d/DB4_name", u""}};
    for (const auto& [path, blockName] : cases) EXPECT_EQ(BlockNameOfFileName(DbFileNameOf(path)), blockName) << CString(path).ToUtf8();
    EXPECT_EQ(DbFileNameOf(u"/p/DB3_Pumps.old.db"), u"DB3_Pumps");
}

TEST(DbFileInfo, RecordsOfChosenFiles) {
    TempFolder folder;
    const CString titled = folder.Write("DB5_a.db", "\xEF\xBB\xBF" "DATA_BLOCK \"Motor data\"\r\nVERSION : 0.1\r\n");
    SDbFileInfo info;
    ASSERT_EQ(MakeDbFileInfo(titled, info), 1);
    EXPECT_EQ(std::vector<CString>({info.BlockName, info.FileName, info.BlockTitle, info.Path}),
              std::vector<CString>({u"DB5", u"DB5_a", u"Motor data", titled}));
    ASSERT_EQ(MakeDbFileInfo(folder.Write("Motor.db", "TYPE \"UDT1\"\n"), info), 1);
    EXPECT_EQ(info.BlockName + info.BlockTitle, u"DB0UDT1");
    ASSERT_EQ(MakeDbFileInfo(folder.File("DB6_missing.db"), info), 1);  // an unreadable file has an empty title
    EXPECT_EQ(info.BlockTitle, u"");
    for (const char* first : {"DATA_BLOCK", "DATA_BLOCK Motor", "DATA_BLOCK \"Motor\" ", ""})
        EXPECT_EQ(MakeDbFileInfo(folder.Write("DB7_x.db", std::string(first) + "\n"), info), kBlockInfoUnreadable) << first;
    EXPECT_EQ(MakeDbFileInfo(u"DB5_a.db", info), kBlockInfoUnreadable);  // no folder

    // Adding keeps an edited record, stops at a failing file and keeps what came before it.
    DbFileMap list;
    ASSERT_EQ(AddDbFiles(list, {titled}), 1);
    list[titled].BlockName = u"DB9";
    EXPECT_EQ(AddDbFiles(list, {titled, folder.Write("DB8_y.db", "no title"), folder.File("DB1_z.db")}), kBlockInfoUnreadable);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list[titled].BlockName, u"DB9");
}

TEST(DbFileInfo, BlockNameCheck) {
    auto check = [](std::vector<const char16_t*> names, bool byTitle, int choice = -1) {
        DbFileMap list, copy;
        for (size_t i = 0; i < names.size(); ++i) list[CString::Formatted(u"/f/%d.db", static_cast<int>(i))].BlockName = names[i];
        const int result = CheckBlockNames(list, byTitle, copy);
        for (const auto& [path, info] : copy) EXPECT_TRUE(choice < 0 || info.NamingChoice == choice);
        return result;
    };
    EXPECT_EQ(check({}, true), kBlockNamesValid);
    EXPECT_EQ(check({u"DB1", u"DB60000", u"DB7", u"DB07"}, true, 0), kBlockNamesValid);
    EXPECT_EQ(check({u"DB1", u"DB2"}, false, 1), kBlockNamesValid);  // named by file name
    for (const char16_t* bad : {u"DB60001", u"DB0", u"DB", u"DB1a", u"db5", u"DB-1", u" DB1"})
        EXPECT_EQ(check({u"DB1", bad}, true), kBlockNameInvalid) << CString(bad).ToUtf8();
    EXPECT_EQ(check({u"DB5", u"DB6", u"DB5"}, true), kBlockNameRepeated);
}
