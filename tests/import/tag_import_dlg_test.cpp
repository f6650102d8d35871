// The tag import dialog and its data block file list, worked by a scripted user: the import into a
// device's channel table, the block name check and its correction in place, the naming preview,
// data type files, Enter, and the custom UI exports around the dialog.
#include <gtest/gtest.h>

#include "core/exports.h"
#include "dialog_screen_text.h"
#include "import/tag_import_dlg.h"
#include "import_test_support.h"
#include "host/user_input/screen_text.h"
#include "host/scripted_user/scripted_user.h"
#include "platform/ui_language.h"
#include "types/synthetic_structures.h"
#include "types/type_library_ref.h"

namespace {

// The dialog's cancel button; its other controls are those of tag_import_controls.h.
constexpr int kCancel = 2;

constexpr int kVariableColumn = 9;

std::string Block(const std::string& title, const std::string& members) {
    return "DATA_BLOCK \"" + title + "\"\r\n{ S7_Optimized_Access := 'FALSE' }\r\nVERSION : 0.1\r\n   STRUCT \r\n" + members +
           "   END_STRUCT;\r\n\r\nBEGIN\r\n\r\nEND_DATA_BLOCK\r\n";
}

/// A Chinese user interface, a type library on the test's own DataType.xml (the dialog's model
/// finds it), and a device record with an empty channel table.
class TagImportTest : public ::testing::Test {
protected:
    TagImportTest() {
        SetThreadUILanguageOverride(kLangChineseSimplified);
        record.chlTable = std::make_unique<CDevTable>();
    }
    ~TagImportTest() override { SetThreadUILanguageOverride(0); }

    INT_PTR Run() {
        CUiBackendScope backend(user);
        CTagImportDlg dialog;
        dialog.SetDeviceRecord(&record);
        return dialog.DoModal();
    }
    std::vector<std::string> Variables() const {
        std::vector<std::string> names;
        for (int i = 0; i < record.chlTable->GetRowCount(); ++i) names.push_back(Utf8(record.chlTable->GetRow(i).GetText(kVariableColumn)));
        return names;
    }
    std::vector<std::string> StatusRows() const {
        std::vector<std::string> lines;
        for (const std::vector<CString>& row : user.LastRows(kStatusList)) lines.push_back(Utf8(row[0]) + " " + Utf8(row[1]));
        return lines;
    }

    /// The sizes of the inline structures of the block's first member, outermost first, each
    /// followed into its last member, in the type library as it is now.
    static std::vector<size_t> InlineSizes(const CString& block) {
        const TypeLibraryRef library;
        const StructMap& parsed = library->ParsedStructs();
        std::vector<size_t> sizes;
        for (CString type = parsed.find(block.view())->second.front().Type; IsSyntheticStructName(type);) {
            const std::vector<SMemberInfo>& members = parsed.find(type.view())->second;
            sizes.push_back(members.size());
            type = members.empty() ? CString() : members.back().Type.Text();
        }
        return sizes;
    }

    TempFolder folder;
    DataAnalysis keeper{folder.File("DataType.xml")};
    SDevRecord record;
    ScriptedUser user;
};

}  // namespace

TEST_F(TagImportTest, AnImportAddsEveryLeafAndEndsWithOk) {
    const CString tags = folder.Write("tags.xml",
                                      "<Tagtable name='T'><Tag type='Int' hmiWriteable='True' remark='' addr='%MW4'>Speed</Tag></Tagtable>");
    const CString b = folder.Write("DB10_b.db", Block("Beta", "      x : Int;\r\n"));
    const CString a = folder.Write("DB2_a.db", Block("Alpha", "      y : Bool;\r\n      z : Real;\r\n"));
    const CString upper = folder.Write("Z.db", Block("Zed", "      w : Int;\r\n"));
    std::vector<std::string> rows;
    user.WatchList(kTagImportTemplate, kStatusList);
    user.Click(kBrowseTagFileButton).ChooseFiles({tags}, u"选择标签文件").Click(kBrowseBlockFilesButton).ChooseFiles({a, b, upper}, u"db文件");
    user.Inspect([&](CWnd& dialog) { rows = RowLines(dialog, kBlockList); });
    // Z.db enters as DB0: corrected in place before the import.
    user.DoubleClickRow(kBlockList, 2).Type(kCellEditId, u"DB3").Focus(kTagFileEdit).Click(kTagImportButton);
    EXPECT_EQ(Run(), IDOK) << user.LogText();

    // Path order, ordinal: "DB10" before "DB2", upper-case "Z" before lower-case letters.
    const std::string dir = Utf8(folder.File(""));
    EXPECT_EQ(rows, std::vector<std::string>({"DB10 | DB10_b | Beta | " + dir + "DB10_b.db", "DB2 | DB2_a | Alpha | " + dir + "DB2_a.db",
                                              "DB0 | Z | Zed | " + dir + "Z.db"}));
    EXPECT_EQ(StatusRows(), std::vector<std::string>({"1 导入成功"}));
    EXPECT_EQ(Variables(), std::vector<std::string>({"Speed", "Alpha.y", "Alpha.z", "Zed.w", "Beta.x"}));
}

TEST_F(TagImportTest, FailedImportsListTheirReasonAndKeepTheDialogOpen) {
    const CString unknown = folder.Write("DB4_u.db", Block("U", "      a : \"Missing\";\r\n      b : Int;\r\n"));
    const CString optimized = folder.Write("DB5_o.db", "DATA_BLOCK \"O\"\r\n{ S7_Optimized_Access := 'TRUE' }\r\nSTRUCT\r\n x : Int;\r\nEND_STRUCT;\r\n");
    const CString sameA = folder.Write("DB5_a.db", Block("A", "      x : Int;\r\n"));
    const CString sameB = folder.Write("DB5_b.db", Block("B", "      x : Int;\r\n"));
    std::vector<std::vector<std::string>> seen;
    auto look = [&](CWnd& dialog) { seen.push_back(RowLines(dialog, kStatusList)); };
    // Nothing to import: told so. Enter does not end the dialog.
    user.Click(kTagImportButton).Inspect(look).Enter().Inspect(look);
    user.Click(kBrowseBlockFilesButton).ChooseFiles({unknown}).Click(kTagImportButton).Inspect(look);
    user.Pick(kBlockList, 0).Click(kRemoveBlockFilesButton).Click(kBrowseBlockFilesButton).ChooseFiles({optimized}).Click(kTagImportButton).Inspect(look);
    user.Pick(kBlockList, 0).Click(kRemoveBlockFilesButton).Click(kBrowseBlockFilesButton).ChooseFiles({sameA, sameB}).Click(kTagImportButton).Inspect(look);
    for (const char16_t* name : {u"DB60001", u"DB", u"DB1a", u"db5", u"DB0"})
        user.DoubleClickRow(kBlockList, 0).Type(kCellEditId, name).Focus(kTagFileEdit).Click(kTagImportButton).Inspect(look);
    user.Click(kCancel);
    EXPECT_EQ(Run(), IDCANCEL) << user.LogText();

    const std::vector<std::string> nothing = {"0 | 未选择标签文件或DB块文件"};
    auto invalid = [&](const std::string& name) {
        return std::vector<std::string>{"1 | DB块命名错误", "2 | " + Utf8(sameA) + "：DB块名称“" + name +
                                                              "”无效（应为DB1至DB60000，取自以DBn_开头的文件名，或在列表中更正）"};
    };
    const std::vector<std::vector<std::string>> expected = {
        nothing, nothing, {"1 | \"Missing\"", "2 | " + Utf8(unknown) + "：类型\"Missing\"未定义，使用者：U.a"},
        {"0 | DB块属性错误(应该采取不优化)", "0 | " + Utf8(optimized) + " 第2行：{ S7_Optimized_Access := 'TRUE' }"},
        {"1 | DB块命名重复", "2 | " + Utf8(sameA) + "与" + Utf8(sameB) + "的DB块名称都是“DB5”"},
        invalid("DB60001"), invalid("DB"), invalid("DB1a"), invalid("db5"), invalid("DB0")};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(Variables().empty());
}

TEST_F(TagImportTest, AFailedImportLeavesTheLibraryHoldingEveryStructureItsBlocksDeclare) {
    // The dialog holds the type library alone, as it does in use: its layout lets go of the
    // block's inline structures, and the failure (a type nobody defines) must bring them back.
    keeper.ReleaseLibrary();
    const CString block = folder.Write("DB4_n.db", Block("N", "      g : Struct\r\n         a : Int;\r\n         h : Struct\r\n"
                                                              "            b : Bool;\r\n         END_STRUCT;\r\n      END_STRUCT;\r\n"
                                                              "      m : \"Missing\";\r\n"));
    std::vector<size_t> sizes;
    user.Click(kBrowseBlockFilesButton).ChooseFiles({block}).Click(kTagImportButton).Inspect([&](CWnd&) { sizes = InlineSizes(u"DB4"); });
    user.Click(kCancel);
    EXPECT_EQ(Run(), IDCANCEL) << user.LogText();
    EXPECT_EQ(sizes, (std::vector<size_t>{2, 1}));  // g (a, h), h (b)
}

TEST_F(TagImportTest, AnImportWhileAnotherHoldsTheLibraryKeepsItsBlocksInlineStructures) {
    const CString block = folder.Write("DB4_n.db", Block("N", "      g : Struct\r\n         a : Int;\r\n      END_STRUCT;\r\n"));
    user.Click(kBrowseBlockFilesButton).ChooseFiles({block}).Click(kTagImportButton);
    EXPECT_EQ(Run(), IDOK) << user.LogText();
    EXPECT_EQ(Variables(), std::vector<std::string>({"N.g.a"}));
    EXPECT_EQ(InlineSizes(u"DB4"), (std::vector<size_t>{1}));  // the keeper still sees g whole
}

TEST_F(TagImportTest, WhatTheReadersRefusedIsListedWithItsFileAndLine) {
    const CString tags = folder.Write("tags.xml", "<Tagtable name='T'>\n<Tag type='Int' addr='%MW4'>Speed</Tag>\n"
                                                  "<Tag type='Int' addr='%DB1.DBW4'>Elsewhere</Tag>\n</Tagtable>");
    const CString bad = folder.Write("DB4_s.db", Block("S", "      a : Int;\r\n      s : String[-300];\r\n"));
    const CString udt = folder.Write("T.udt", "TYPE \"T\"\r\n   STRUCT\r\n      n : Array[a..b] of Int;\r\n   END_STRUCT;\r\nEND_TYPE\r\n");
    std::vector<std::vector<std::string>> seen;
    auto look = [&](CWnd& dialog) { seen.push_back(RowLines(dialog, kStatusList)); };
    user.WatchList(kTagImportTemplate, kStatusList);
    user.Click(kImportDataTypesButton).ChooseFiles({udt}).Inspect(look);
    user.Click(kBrowseBlockFilesButton).ChooseFiles({bad}).Click(kTagImportButton).Inspect(look);
    user.Pick(kBlockList, 0).Click(kRemoveBlockFilesButton);
    user.Click(kBrowseTagFileButton).ChooseFiles({tags}).Click(kTagImportButton);
    EXPECT_EQ(Run(), IDOK) << user.LogText();

    const std::vector<std::vector<std::string>> expected = {
        {"0 | 数据类型文件格式错误", "0 | " + Utf8(udt) + " 第3行：n : Array[a..b] of Int;"},
        {"0 | DB块格式错误", "0 | " + Utf8(bad) + " 第6行：s : String[-300];"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(StatusRows(), std::vector<std::string>({"1 导入成功", "2 " + Utf8(tags) + " 第3行：标签“Elsewhere”的地址“%DB1.DBW4”无效，未导入"}));
    EXPECT_EQ(Variables(), std::vector<std::string>({"Speed"}));
}

TEST_F(TagImportTest, ARetriedImportLaysOutOnlyTheListedFiles) {
    const CString good = folder.Write("DB1_g.db", Block("G", "      x : Int;\r\n"));
    const CString bad = folder.Write("DB2_b.db", Block("B", "      y : \"Missing\";\r\n"));
    std::vector<std::string> firstAttempt;
    user.Click(kBrowseBlockFilesButton).ChooseFiles({good, bad}).Click(kTagImportButton).Inspect([&](CWnd& dialog) { firstAttempt = RowLines(dialog, kStatusList); });
    user.Pick(kBlockList, 1).Click(kRemoveBlockFilesButton).Click(kTagImportButton);
    EXPECT_EQ(Run(), IDOK) << user.LogText();
    EXPECT_EQ(firstAttempt.front(), "1 | \"Missing\"");
    EXPECT_EQ(Variables(), std::vector<std::string>({"G.x"}));
}

TEST_F(TagImportTest, TheBlockNameEditCommitsOnlyAChangedNameAndOnlyInColumnZero) {
    const CString file = folder.Write("DB3_Pumps.old.db", Block("Pump station", "      x : Int;\r\n"));
    std::vector<std::vector<std::string>> seen;
    bool editShown = true;
    auto look = [&](CWnd& dialog) { seen.push_back(RowLines(dialog, kBlockList)); };
    user.Click(kBrowseBlockFilesButton).ChooseFiles({file});
    // A double-click on the title starts no edit.
    user.ClickAt(kBlockList, CPoint(1, 1)).Inspect([&](CWnd& dialog) {
        CWnd* list = dialog.GetDlgItem(kBlockList);
        CRect title;
        static_cast<CListCtrl*>(list)->GetSubItemRect(0, 2, LVIR_LABEL, title);
        list->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(title.CenterPoint().x, title.CenterPoint().y));
        CWnd* edit = list->GetDlgItem(kCellEditId);
        editShown = edit && edit->IsWindowVisible();
    });
    user.DoubleClickRow(kBlockList, 0).Inspect([&](CWnd& dialog) { seen.push_back({TextOf(*dialog.GetDlgItem(kBlockList), kCellEditId)}); });
    user.Focus(kTagFileEdit).Inspect(look);
    user.DoubleClickRow(kBlockList, 0).Type(kCellEditId, u"DB7").Focus(kTagFileEdit).Inspect(look);
    // Adding the same file again keeps the corrected name.
    user.Click(kBrowseBlockFilesButton).ChooseFiles({file}).Inspect(look).Click(kCancel);
    EXPECT_EQ(Run(), IDCANCEL) << user.LogText();

    EXPECT_FALSE(editShown);
    const std::string row = " | DB3_Pumps | Pump station | " + Utf8(file);
    EXPECT_EQ(seen, std::vector<std::vector<std::string>>({{"DB3"}, {"DB3" + row}, {"DB7" + row}, {"DB7" + row}}));
}

TEST_F(TagImportTest, NamingPreviewFollowsTheRadiosAndTheClickedRow) {
    const CString file = folder.Write("DB3_Pumps.db", Block("Pump station", "      x : Int;\r\n"));
    std::vector<std::string> previews;
    auto look = [&](CWnd& dialog) { previews.push_back(TextOf(dialog, kPreviewText)); };
    user.Inspect(look).Click(kNameByFileRadio).Inspect(look).Click(kBrowseBlockFilesButton).ChooseFiles({file});
    user.Pick(kBlockList, 0).Inspect(look).Click(kNameByTitleRadio).Inspect(look);
    user.ClickAt(kBlockList, CPoint(5, 100)).Inspect(look).Click(kCancel);  // below the last row
    EXPECT_EQ(Run(), IDCANCEL) << user.LogText();
    EXPECT_EQ(previews, std::vector<std::string>({"设备名称_DB文件描述_标签名称", "设备名称_DB块文件名称_标签名称",
                                                  "设备名称_DB3_Pumps_标签名称", "设备名称_Pump station_标签名称", "设备名称__标签名称"}));
}

TEST_F(TagImportTest, DataTypeFilesAreReadForLaterImportsAndTheVersionPicksTheFilters) {
    const CString udt = folder.Write("Drive.udt", "TYPE \"Drive\"\r\nVERSION : 0.1\r\n   STRUCT\r\n      rpm : Int;\r\n   END_STRUCT;\r\n\r\nEND_TYPE\r\n");
    const CString block = folder.Write("DB8_line.scl", Block("Line", "      m : \"Drive\";\r\n"));
    std::vector<std::string> typeRows;
    user.Click(kVersionV13Radio).Click(kImportDataTypesButton).ChooseFiles({udt}, u"scl文件|*.scl").Inspect([&](CWnd& dialog) { typeRows = RowLines(dialog, kStatusList); });
    user.Click(kBrowseBlockFilesButton).ChooseFiles({block}, u"scl文件|*.scl").Click(kTagImportButton);
    EXPECT_EQ(Run(), IDOK) << user.LogText();
    EXPECT_EQ(typeRows, std::vector<std::string>({"1 | Drive导入成功"}));
    EXPECT_EQ(Variables(), std::vector<std::string>({"Line.m.rpm"}));
}

TEST_F(TagImportTest, CustomUiExportsOpenTheDialogForEntryZeroAndSaveOnlyAfterOk) {
    COwnerArchive archive(COwnerArchive::kLoading);
    CDeviceObject device{&archive, nullptr};
    SvrInitDevSet(&device);  // the new record's eight channels are stored at once
    const int savedImageEnd = archive.GetPosition();
    SCustomUIEntry other{u"other", 1};
    SCustomUIEntry tagImport{u"标签导入", 0};
    const CString file = folder.Write("DB9_x.db", Block("X", "      x : Int;\r\n"));
    {
        CUiBackendScope backend(user);
        EXPECT_EQ(SvrShowCustomUI(&device, &other), 1);
        EXPECT_TRUE(user.Log().empty());  // no dialog opened
        user.Click(kBrowseBlockFilesButton).ChooseFiles({file}).Click(kCancel);
        EXPECT_EQ(SvrShowCustomUI(&device, &tagImport), 1);
        EXPECT_EQ(archive.GetPosition(), savedImageEnd);  // cancelled: nothing stored
        user.Click(kBrowseBlockFilesButton).ChooseFiles({file}).Click(kTagImportButton);
        EXPECT_EQ(SvrEditCustomProperty(&device), 1);
    }
    EXPECT_EQ(device.record->chlTable->GetRowCount(), 9);
    EXPECT_GT(archive.GetPosition(), savedImageEnd);  // the image with the ninth row was stored
    SvrExitDevRun(&device);
}
