// The data structure editor, worked by a scripted user: saving new and existing structures, the
// read/write labels and type texts on their way to DataType.xml and back, the member name check,
// deleting, the row buttons, import and help.
#include "dialog_test_support.h"

namespace {

using Lines = std::vector<std::string>;

SMemberInfo Access(SMemberInfo member, int read, int write) {
    member.Read = read;
    member.Write = write;
    return member;
}

/// How many times the text occurs in the file.
size_t Count(const std::string& file, const std::string& text) {
    size_t count = 0;
    for (size_t at = file.find(text); at != std::string::npos; at = file.find(text, at + 1)) ++count;
    return count;
}

}  // namespace

TEST_F(EditorTest, ANewStructureIsSavedWithoutQuestionAndASecondSaveAsksBeforeReplacing) {
    Lines tree, rowsAfterCancel;
    bool browsingAfterSave = false;
    std::string fileAfterAdd, fileAfterCancel;
    user.PickNode(kStructureTree, {kUserGroup}).Click(kEditorNewButton).Type(kStructureNameEdit, u"Motor").Type(kStructureMarkEdit, u"drive");
    AddMemberByDialog(user, u"speed", u"Int");
    user.Click(kEditSaveButton).Inspect([&](CWnd& editor) {
        tree = StructurePaths(editor);
        browsingAfterSave = TextOf(editor, kEditSaveButton) == "编辑" && IsReadOnly(editor, kStructureNameEdit) && !IsEnabled(editor, kAddMemberButton);
        fileAfterAdd = ReadText(dataTypeFile);
    });
    // Saved again unchanged: Cancel keeps memory and file as they are.
    user.Click(kEditSaveButton).Click(kEditSaveButton).Answer(kReplaceQuestion, IDCANCEL).Inspect([&](CWnd& editor) {
        fileAfterCancel = ReadText(dataTypeFile);
        rowsAfterCancel = RowLines(editor, kMemberList);
    });
    // With one more member and OK, the structure is replaced in memory and in the file.
    user.Click(kEditSaveButton);
    AddMemberByDialog(user, u"limit", u"Real");
    user.Click(kEditSaveButton).Answer(kReplaceQuestion, IDOK).Click(kLeaveButton);
    EXPECT_EQ(RunEditor(), IDCANCEL) << user.LogText();

    EXPECT_NE(std::find(tree.begin(), tree.end(), "用户定义/Motor"), tree.end());
    EXPECT_TRUE(browsingAfterSave);
    EXPECT_EQ(Count(fileAfterAdd, "<Struct Name=\"Motor\" Length =\"0\" Mode=\"1\" Mark=\"drive\">"), 1u) << fileAfterAdd;
    EXPECT_EQ(fileAfterCancel, fileAfterAdd);
    EXPECT_EQ(rowsAfterCancel, Lines{"speed | Int |  | Read/Write"});
    EXPECT_EQ(user.MessageBoxTexts(), (std::vector<CString>{kReplaceQuestion, kReplaceQuestion}));
    const std::vector<SMemberInfo> saved = {Member(u"speed", u"Int"), Member(u"limit", u"Real")};
    EXPECT_EQ(MembersOf(UserStructs(), u"Motor"), saved);
    const std::string file = ReadText(dataTypeFile);
    EXPECT_EQ(Count(file, "<Struct "), 1u) << file;
    EXPECT_EQ(Count(file, "Mode=\"1\""), 1u) << file;

    // Loaded again, the structure is still a user-defined one with both members.
    Reload();
    EXPECT_EQ(MembersOf(UserStructs(), u"Motor"), saved);
    ScriptedUser again;
    again.Inspect([&](CWnd& editor) { tree = StructurePaths(editor); }).Click(kLeaveButton);
    user = again;
    RunEditor();
    EXPECT_NE(std::find(tree.begin(), tree.end(), "用户定义/Motor"), tree.end());
}

TEST_F(EditorTest, ReadWriteLabelsAndArrayTypeTextsSurviveEditAndSave) {
    const std::vector<SMemberInfo> members = {
        Access(Member(u"ro", u"Int"), 1, 0), Access(Member(u"none", u"Int"), 0, 0), Member(u"rw", u"Real"),
        Access(Member(u"wo", u"Int"), 0, 1), Member(u"texts", u"String", {{1, 2}}, 8), Member(u"grid", u"Bool", {{0, 9}, {1, 3}}),
    };
    Library().SaveStruct(Header(u"Valve"), members, kSaveStructAdd);
    Lines rows;
    user.PickNode(kStructureTree, {kUserGroup, u"Valve"}).Inspect([&](CWnd& editor) { rows = RowLines(editor, kMemberList); });
    user.Click(kEditSaveButton).Click(kEditSaveButton).Answer(kReplaceQuestion, IDOK).Click(kLeaveButton);
    RunEditor();
    EXPECT_EQ(rows, (Lines{"ro | Int |  | Read Only", "none | Int |  | None", "rw | Real |  | Read/Write", "wo | Int |  | ",
                           "texts | Array [1..2] of String[8] |  | Read/Write", "grid | Array [0..9,1..3] of Bool |  | Read/Write"}));
    EXPECT_EQ(MembersOf(UserStructs(), u"Valve"), members);
    Reload();
    EXPECT_EQ(MembersOf(UserStructs(), u"Valve"), members);
}

TEST_F(EditorTest, AMemberNamedAfterItsStructureIsRefusedButNotInABatch) {
    Library().SaveStruct(Header(u"Pump"), {Member(u"flow", u"Real")}, kSaveStructAdd);
    Lines rows;
    user.PickNode(kStructureTree, {kUserGroup, u"Pump"}).Click(kEditSaveButton);
    AddMemberByDialog(user, u"PUMP", u"Int");
    user.Answer(u"数据结构成员不能添加数据结构自己。", IDOK);
    user.DoubleClickRow(kMemberList, u"flow").Type(kMemberNameEdit, u"pump").Click(IDOK).Answer(u"数据结构成员不能添加数据结构自己。", IDOK);
    AddMembersByBatch(user, u"pump\tInt\t0\tx\tTrue\tTrue\r\n");
    user.Inspect([&](CWnd& editor) { rows = RowLines(editor, kMemberList); }).Click(kLeaveButton);
    RunEditor();
    EXPECT_EQ(user.MessageBoxTexts(), (std::vector<CString>{u"数据结构成员不能添加数据结构自己。", u"数据结构成员不能添加数据结构自己。"}));
    EXPECT_EQ(rows, (Lines{"flow | Real |  | Read/Write", "pump | Int |  | Read/Write"}));
    // Leaving without saving changed nothing.
    EXPECT_EQ(MembersOf(UserStructs(), u"Pump"), std::vector<SMemberInfo>{Member(u"flow", u"Real")});
}

TEST_F(EditorTest, SavingAsksForANameAndAMemberAndTheBottomSaveButtonDoesNothing) {
    const std::string before = ReadText(dataTypeFile);
    std::string buttonText;
    user.Click(kEditorNewButton).Click(kEditSaveButton).Answer(u"请输入数据结构的名称。", IDOK);
    user.Type(kStructureNameEdit, u"Empty").Click(kEditSaveButton).Answer(u"请至少添加一个数据成员。", IDOK);
    AddMemberByDialog(user, u"a", u"Int");
    user.Click(kEditorSaveButton).Inspect([&](CWnd& editor) { buttonText = TextOf(editor, kEditSaveButton); }).Click(kLeaveButton);
    RunEditor();
    EXPECT_EQ(user.MessageBoxTexts(), (std::vector<CString>{u"请输入数据结构的名称。", u"请至少添加一个数据成员。"}));
    EXPECT_EQ(buttonText, "保存");  // still editing
    EXPECT_EQ(ReadText(dataTypeFile), before);
    EXPECT_EQ(UserStructs().count(u"Empty"), 0u);
}

TEST_F(EditorTest, OnlyStructuresWithoutChildrenAreDeletedThroughTheMenu) {
    Library().SaveStruct(Header(u"Pump"), {Member(u"flow", u"Real")}, kSaveStructAdd);
    Library().SaveStruct(Header(u"Valve"), {Member(u"open", u"Bool")}, kSaveStructAdd);
    Lines before, after;
    user.Inspect([&](CWnd& editor) { before = StructurePaths(editor); });
    user.PickNode(kStructureTree, {kUserGroup}).ContextMenu(kStructureTree, u"删除");
    user.PickNode(kStructureTree, {kPredefinedGroup}).ContextMenu(kStructureTree, u"删除");
    user.PickNode(kStructureTree, {kUserGroup, u"Pump"}).ContextMenu(kStructureTree, u"删除");
    user.PickNode(kStructureTree, {kPredefinedGroup, u"DTL"}).ContextMenu(kStructureTree, u"删除");
    user.Inspect([&](CWnd& editor) { after = StructurePaths(editor); }).Click(kLeaveButton);
    RunEditor();
    Lines expected = before;
    std::erase(expected, "用户定义/Pump");
    std::erase(expected, "预定义/DTL");
    EXPECT_EQ(after, expected);
    EXPECT_EQ(before.size(), after.size() + 2);
    EXPECT_EQ(UserStructs().count(u"Pump"), 0u);
    EXPECT_EQ(UserStructs().count(u"DTL"), 0u);
    const std::string file = ReadText(dataTypeFile);
    EXPECT_EQ(Count(file, "Pump"), 0u);
    EXPECT_EQ(Count(file, "Valve"), 1u);
    // A predefined structure comes back with the next load: it was never in the file.
    Reload();
    EXPECT_EQ(UserStructs().count(u"DTL"), 1u);
}

TEST_F(EditorTest, RowButtonsMoveAndDeleteTheCurrentRowAndAClickBesideTheRowsClearsIt) {
    Lines moved, afterOutsideClick, afterRename;
    user.Click(kEditorNewButton).Type(kStructureNameEdit, u"Rows");
    AddMembersByBatch(user, u"a\tInt\t\t\tTrue\tTrue\r\nb\tInt\t\t\tTrue\tTrue\r\nc\tInt\t\t\tTrue\tTrue\r\n");
    user.Pick(kMemberList, u"c").Click(kMoveUpButton).Click(kMoveUpButton).Click(kMoveUpButton).Click(kMoveDownButton).Click(kDeleteRowButton);
    user.Inspect([&](CWnd& editor) { moved = RowLines(editor, kMemberList); });
    user.Pick(kMemberList, u"a").ClickAt(kMemberList, CPoint(20, 150)).Click(kDeleteRowButton).Click(kMoveUpButton);
    user.Inspect([&](CWnd& editor) { afterOutsideClick = RowLines(editor, kMemberList); });
    // Changing a row's name in the member dialog adds a row: the current row was cleared.
    user.DoubleClickRow(kMemberList, u"b").Type(kMemberNameEdit, u"b2").Click(IDOK);
    user.Inspect([&](CWnd& editor) { afterRename = RowLines(editor, kMemberList); }).Click(kLeaveButton);
    RunEditor();
    EXPECT_EQ(moved, (Lines{"a | Int |  | Read/Write", "b | Int |  | Read/Write"}));
    EXPECT_EQ(afterOutsideClick, moved);
    EXPECT_EQ(afterRename, (Lines{"a | Int |  | Read/Write", "b | Int |  | Read/Write", "b2 | Int |  | Read/Write"}));
}

TEST_F(EditorTest, BatchMembersReplaceRowsOfTheSameNameAndABadLineAddsNothing) {
    Lines afterSample, afterBad;
    std::string count;
    user.Click(kEditorNewButton).Type(kStructureNameEdit, u"Batch");
    AddMemberByDialog(user, u"ELEMENT_1", u"Real");
    user.Click(kBatchAddButton).Click(kBatchSampleButton).Inspect([&](CWnd& batch) { count = TextOf(batch, kBatchCountEdit); }).Click(IDOK);
    user.Inspect([&](CWnd& editor) { afterSample = RowLines(editor, kMemberList); });
    AddMembersByBatch(user, u"x\tInt\t0\tx\tTrue\tTrue\r\ny\tInt\t0\tx\tTrue\tTrue\r\nz\tInt\t0\r\n");
    user.Answer(u"遇到不正确的参数。", IDOK).Inspect([&](CWnd& editor) { afterBad = RowLines(editor, kMemberList); });
    user.Click(kEditSaveButton).Click(kLeaveButton);
    RunEditor();
    EXPECT_EQ(count, "数据个数：27");
    ASSERT_EQ(afterSample.size(), 26u);
    EXPECT_EQ(afterSample[0], "Element_1 | Bool | Comment | Read/Write");  // the row of the same name, in any case
    EXPECT_EQ(afterSample[9], "Element_10 | DInt |  | Read/Write");
    EXPECT_EQ(afterSample[24], "Element_25 | Array [22..566] of Bool |  | Read/Write");
    EXPECT_EQ(afterSample[25], "Element_26 | Array [0..5] of String[12] |  | Read/Write");
    EXPECT_EQ(afterBad, afterSample);
    const std::vector<SMemberInfo> saved = MembersOf(UserStructs(), u"Batch");
    ASSERT_EQ(saved.size(), 26u);
    EXPECT_EQ(saved[25], Member(u"Element_26", u"String", {{0, 5}}, 12));
}

TEST_F(EditorTest, TheBatchDialogCountsLinesAndTabInsertsATab) {
    std::string text, count;
    int focus = 0;
    user.Click(kEditorNewButton).Click(kBatchAddButton).Type(kBatchTextEdit, u"a\tInt\r\nb").Tab().Tab().Inspect([&](CWnd& batch) {
        text = TextOf(batch, kBatchTextEdit);
        count = TextOf(batch, kBatchCountEdit);
        focus = CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0;
    });
    user.Click(IDCANCEL).Click(kLeaveButton);
    RunEditor();
    EXPECT_EQ(text, "a\tInt\r\nb\t\t");
    EXPECT_EQ(count, "数据个数：2");
    EXPECT_EQ(focus, kBatchTextEdit);
}

TEST_F(EditorTest, ImportSavesTheParsedStructuresAndReportsAFileThatFailed) {
    const CString good = folder.File("Drive.udt");
    const CString bad = folder.File("Broken.udt");
    WriteText(good, "TYPE \"Drive\"\r\nVERSION : 0.1\r\n   STRUCT\r\n      speed : Int;   // rpm\r\n      label : String[12];\r\n"
                    "   END_STRUCT;\r\n\r\nEND_TYPE\r\n\r\n");
    WriteText(bad, "TYPE \"Broken\"\r\n   STRUCT\r\n      not a member\r\n   END_STRUCT;\r\nEND_TYPE\r\n");
    Lines tree;
    user.PickNode(kStructureTree, {kPredefinedGroup, u"DTL"}).Click(kEditorImportButton).ChooseFiles({bad, good}, u"*.scl;*.udt");
    user.Answer(u"Broken.udt: 数据类型文件格式错误", IDOK);
    user.Inspect([&](CWnd& editor) { tree = StructurePaths(editor); });
    user.Click(kEditorImportButton).ChooseFiles({good}).Answer(kReplaceQuestion, IDCANCEL).Click(kLeaveButton);
    RunEditor();
    // Imported with a predefined structure selected, the new structure joins the predefined group.
    EXPECT_NE(std::find(tree.begin(), tree.end(), "预定义/\"Drive\""), tree.end());
    SMemberInfo speed = Member(u"speed", u"Int");
    speed.Mark = u"rpm";
    EXPECT_EQ(MembersOf(UserStructs(), u"\"Drive\""), (std::vector<SMemberInfo>{speed, Member(u"label", u"String", {}, 12)}));
    EXPECT_EQ(UserStructs().count(u"\"Broken\""), 0u);
    EXPECT_EQ(Count(ReadText(dataTypeFile), "Mode=\"0\""), 1u);
}

TEST_F(EditorTest, HelpOpensTheHelpFileBesideTheResources) {
    user.Click(kEditorHelpButton).Click(kLeaveButton);
    RunEditor();
    const std::string log = user.LogText();
    EXPECT_NE(log.find("shell open /"), std::string::npos) << log;
    EXPECT_NE(log.find("/Vireo_ex.chm"), std::string::npos) << log;
}

class UnwritableFileTest : public EditorTest {
protected:
    UnwritableFileTest() {
        // A folder where the file should be: nothing can be read from it or written to it.
        library.reset();
        std::filesystem::remove(dataTypeFile.ToUtf8());
        std::filesystem::create_directory(dataTypeFile.ToUtf8());
        library.emplace(dataTypeFile);
    }
};

TEST_F(UnwritableFileTest, AStructureThatCouldNotBeWrittenIsReportedAndKeptForThisRun) {
    Lines tree;
    user.Answer(u"无法读取DataType.xml", IDOK);  // told when the editor opens
    user.Click(kEditorNewButton).Type(kStructureNameEdit, u"Motor");
    AddMemberByDialog(user, u"speed", u"Int");
    user.Click(kEditSaveButton).Answer(u"无法写入DataType.xml", IDOK);
    user.Inspect([&](CWnd& editor) { tree = StructurePaths(editor); }).Click(kLeaveButton);
    RunEditor();
    EXPECT_NE(std::find(tree.begin(), tree.end(), "用户定义/Motor"), tree.end());
    EXPECT_EQ(MembersOf(UserStructs(), u"Motor"), std::vector<SMemberInfo>{Member(u"speed", u"Int")});
}
