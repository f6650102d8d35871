// The member dialog, opened from the editor by a scripted user: dimension texts, the string length
// edit, picking a type from the tree or the list, prefix search while typing, the case-sensitive
// type check, and the member that reaches the editor's list.
#include "dialog_test_support.h"
#include "platform/ui/list_box.h"
#include "platform/ui/message_box.h"

namespace {

using Lines = std::vector<std::string>;

}  // namespace

class MemberDialogTest : public EditorTest {
protected:
    /// A new structure "Host" is being edited; the member dialog is opened with "新增".
    void OpenNewMember() { user.Click(kEditorNewButton).Type(kStructureNameEdit, u"Host").Click(kAddMemberButton).ExpectDialog(u"添加数据成员"); }
    Lines RowsWhenLeaving() {
        Lines rows;
        user.Inspect([&](CWnd& editor) { rows = RowLines(editor, kMemberList); }).Click(kLeaveButton);
        RunEditor();
        return rows;
    }
};

TEST_F(MemberDialogTest, DimensionTextsGiveUpToThreeDimensionsAndReversedOnesAreReported) {
    OpenNewMember();
    user.Type(kMemberNameEdit, u"one").PickNode(kTypeTree, {kElementaryGroup, u"Int"}).Type(kDimensionEdits[0], u"1.10").Click(IDOK);
    user.Click(kAddMemberButton).Type(kMemberNameEdit, u"two").PickNode(kTypeTree, {kElementaryGroup, u"Real"});
    user.Type(kDimensionEdits[0], u"0.9").Type(kDimensionEdits[1], u"1.3").Type(kDimensionEdits[2], u"2.2").Click(IDOK);
    user.Click(kAddMemberButton).Type(kMemberNameEdit, u"flat").PickNode(kTypeTree, {kElementaryGroup, u"Int"}).Type(kDimensionEdits[0], u"3.3").Click(IDOK);
    user.Click(kAddMemberButton).Type(kMemberNameEdit, u"reversed").PickNode(kTypeTree, {kElementaryGroup, u"Int"}).Type(kDimensionEdits[0], u"5.2");
    user.Type(kDimensionEdits[1], u"0.4").Click(IDOK).Answer(u"输入数组范围错误", IDRETRY);
    EXPECT_EQ(RowsWhenLeaving(), (Lines{"one | Array [1..10] of Int |  | Read/Write", "two | Array [0..9,1..3] of Real |  | Read/Write",
                                        "flat | Int |  | Read/Write", "reversed | Array [0..4] of Int |  | Read/Write"}));
    bool retryCancel = false;
    for (const SUserLogEntry& entry : user.Log())
        if (entry.kind == SUserLogEntry::kMessageBox) retryCancel = (entry.boxType & MB_TYPEMASK) == MB_RETRYCANCEL;
    EXPECT_TRUE(retryCancel);
}

TEST_F(MemberDialogTest, TheStringLengthEditIsOpenForStringOnlyAndALengthComesBack) {
    bool lengthOpenAtStart = true, lengthOpenForString = false, lengthOpenForWString = true;
    std::string lengthAfterWString, typeShown, lengthShown, dimShown;
    OpenNewMember();
    user.Inspect([&](CWnd& dialog) { lengthOpenAtStart = !IsReadOnly(dialog, kStringLengthEdit); });
    user.PickNode(kTypeTree, {kElementaryGroup, u"String"}).Inspect([&](CWnd& dialog) { lengthOpenForString = !IsReadOnly(dialog, kStringLengthEdit); });
    user.Type(kStringLengthEdit, u"16").PickNode(kTypeTree, {kElementaryGroup, u"WString"}).Inspect([&](CWnd& dialog) {
        lengthOpenForWString = !IsReadOnly(dialog, kStringLengthEdit);
        lengthAfterWString = TextOf(dialog, kStringLengthEdit);
    });
    user.PickNode(kTypeTree, {kElementaryGroup, u"String"}).Type(kStringLengthEdit, u"16").Type(kMemberNameEdit, u"label");
    user.Type(kDimensionEdits[0], u"1.2").Click(IDOK);
    // Opened again from the row: the "[16]" of the type text is the string length again.
    user.DoubleClickRow(kMemberList, u"label").Inspect([&](CWnd& dialog) {
        typeShown = TextOf(dialog, kMemberTypeEdit);
        lengthShown = TextOf(dialog, kStringLengthEdit);
        dimShown = TextOf(dialog, kDimensionEdits[0]);
    });
    user.Click(IDCANCEL);
    const Lines rows = RowsWhenLeaving();
    EXPECT_FALSE(lengthOpenAtStart);
    EXPECT_TRUE(lengthOpenForString);
    EXPECT_FALSE(lengthOpenForWString);
    EXPECT_EQ(lengthAfterWString, "");
    EXPECT_EQ(rows, Lines{"label | Array [1..2] of String[16] |  | Read/Write"});
    EXPECT_EQ(typeShown, "String");
    EXPECT_EQ(lengthShown, "16");
    EXPECT_EQ(dimShown, "1.2");
}

TEST_F(MemberDialogTest, TypingSelectsTheFirstTypeWithThatBeginningButOnlyTheExactNameIsAccepted) {
    std::string selectedByTyping, typedText, selectedWithStructure, listSelection;
    OpenNewMember();
    user.Type(kMemberNameEdit, u"count").Type(kMemberTypeEdit, u"dint").Inspect([&](CWnd& dialog) {
        selectedByTyping = SelectedNode(dialog, kTypeTree);
        typedText = TextOf(dialog, kMemberTypeEdit);
    });
    user.Click(IDOK).Answer(u"请选择正确的数据类型。", IDOK);
    user.Type(kMemberTypeEdit, u"DInt").Click(IDOK);
    // A user-defined structure whose name begins with the typed text comes first.
    user.Inspect([&](CWnd&) { Library().SaveStruct(Header(u"DINTERVAL"), {Member(u"a", u"Int")}, kSaveStructAdd); });
    user.Click(kAddMemberButton).Type(kMemberTypeEdit, u"dint").Inspect([&](CWnd& dialog) { selectedWithStructure = SelectedNode(dialog, kTypeTree); });
    // In the list, typing selects the first entry in the list's order.
    user.Click(kShowAsListCheck).Type(kMemberTypeEdit, u"ud").Inspect([&](CWnd& dialog) {
        CListBox& list = *static_cast<CListBox*>(dialog.GetDlgItem(kTypeList));
        CString text;
        list.GetText(list.GetCurSel(), text);
        listSelection = Utf8(text);
    });
    user.Click(IDCANCEL);
    const Lines rows = RowsWhenLeaving();
    EXPECT_EQ(selectedByTyping, "基础类型/DInt");
    EXPECT_EQ(typedText, "dint");  // the selection made by typing does not change the text
    EXPECT_EQ(rows, Lines{"count | DInt |  | Read/Write"});
    EXPECT_EQ(selectedWithStructure, "用户定义/DINTERVAL");
    EXPECT_EQ(listSelection, "UDInt");
}

TEST_F(MemberDialogTest, NameAccessDescriptionAndTheListGiveTheMember) {
    OpenNewMember();
    user.Click(IDOK).Answer(u"请输入变量名称。", IDOK);
    user.Type(kMemberNameEdit, u"ro").Type(kMemberMarkEdit, u"read me").Pick(kReadWriteCombo, u"Read Only");
    user.Click(kShowAsListCheck).Pick(kTypeList, u"Real").Click(IDOK);
    user.Click(kAddMemberButton).Type(kMemberNameEdit, u"hidden").Pick(kReadWriteCombo, u"None").PickNode(kTypeTree, {kElementaryGroup, u"Word"}).Click(IDOK);
    user.Click(kAddMemberButton).Type(kMemberNameEdit, u"typed").Type(kReadWriteCombo, u"anything").Type(kMemberTypeEdit, u"Int").Click(IDOK);
    user.Click(kAddMemberButton).Type(kMemberNameEdit, u"group").PickNode(kTypeTree, {kPredefinedGroup}).Click(IDOK).Answer(u"请选择正确的数据类型。", IDOK);
    user.Click(IDCANCEL);
    user.Click(kEditSaveButton);
    EXPECT_EQ(RowsWhenLeaving(), (Lines{"ro | Real | read me | Read Only", "hidden | Word |  | None", "typed | Int |  | None"}));
    const std::vector<SMemberInfo> saved = MembersOf(UserStructs(), u"Host");
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(std::make_pair(saved[0].Read, saved[0].Write), std::make_pair(1, 0));
    EXPECT_EQ(std::make_pair(saved[1].Read, saved[1].Write), std::make_pair(0, 0));
    EXPECT_EQ(saved[0].Mark, u"read me");
}
