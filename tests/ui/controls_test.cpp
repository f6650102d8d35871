// Behaviours the dialogs lean on without saying so: when an edit reports a change, which message
// map entry wins, and how a popup menu hands back its command.
#include <gtest/gtest.h>

#include "host/scripted_user/scripted_user.h"
#include "test_dialogs.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    ScriptedUser user;
    CUiBackendScope scope{user};
};

TEST_F(ControlsTest, EditsReportChangesAsThePlatformsEditsDo) {
    CFormDlg form;
    user.Inspect([&form](CWnd& dialog) {
            CEdit& notes = *static_cast<CEdit*>(dialog.GetDlgItem(1002));
            notes.SetWindowText(u"abcdef");  // a multi-line edit: no change notification
            EXPECT_EQ(form.notesChanges, 0);
            notes.SetSel(2, 100);
            int start = 0;
            int end = 0;
            notes.GetSel(start, end);
            EXPECT_EQ(start, 2);
            EXPECT_EQ(end, 6);
            notes.ReplaceSel(u"\t");
            EXPECT_EQ(TextOf(dialog, 1002), u"ab\t");
            EXPECT_EQ(form.notesChanges, 1);
            notes.SetSel(0, 1);
            notes.SetSel(-1, 0);  // drops the selection, keeps the caret
            notes.GetSel(start, end);
            EXPECT_EQ(start, 1);
            EXPECT_EQ(end, 1);
            dialog.SetDlgItemText(1001, u"x");  // a single-line edit reports it
            EXPECT_EQ(form.nameChanges, 1);
        })
        .Type(1001, u"first line\r\nsecond line")  // a single-line edit takes the first line
        .Type(1002, u"one\r\ntwo")
        .Click(1);
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_name, u"first line");
    EXPECT_EQ(form.m_notes, u"one\r\ntwo");
    EXPECT_EQ(form.nameChanges, 2);
    EXPECT_EQ(form.notesChanges, 2);
}

/// A form whose own map takes over Apply and OK from its base class's map.
class CQuietFormDlg : public CFormDlg {
public:
    int quietApplies = 0;
    int okPresses = 0;

protected:
    void OnQuietApply() { ++quietApplies; }
    void OnOkPressed() {
        ++okPresses;
        if (okPresses == 2) CDialog::OnOK();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CQuietFormDlg, CFormDlg)
    ON_BN_CLICKED(1009, &CQuietFormDlg::OnQuietApply)
    ON_BN_CLICKED(IDOK, &CQuietFormDlg::OnOkPressed)
END_MESSAGE_MAP()

TEST_F(ControlsTest, TheMostDerivedMessageMapEntryHandlesTheMessage) {
    CQuietFormDlg form;
    form.m_name = u"Motor";
    user.Click(1009)
        .Inspect([](CWnd& dialog) { EXPECT_EQ(dialog.SendMessage(WM_COMMAND, MAKEWPARAM(4711, 0), 0), 0); })  // no entry: ignored
        .Click(1)
        .Enter();
    EXPECT_EQ(form.DoModal(), IDOK);  // no question was asked: the base class's Apply did not run
    EXPECT_TRUE(user.Finished());
    EXPECT_EQ(form.quietApplies, 1);
    EXPECT_EQ(form.okPresses, 2);
    EXPECT_EQ(form.applied, 0);
}

TEST_F(ControlsTest, AMenuReturnsOrPostsThePickedCommandAndGrayedItemsCannotBePicked) {
    CMenu menu;
    EXPECT_FALSE(menu.AppendMenu(MF_STRING, 1, u"before creation"));
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 40001, u"导入");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 40002, u"删除");
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetMenuItemID(1), 0u);
    CString text;
    menu.GetMenuString(40002, text, MF_BYCOMMAND);
    EXPECT_EQ(text, u"删除");
    EXPECT_EQ(menu.EnableMenuItem(40002, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.GetMenuState(40002, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);

    // With TPM_RETURNCMD the pick comes back to the caller and nothing is posted.
    CListsDlg returning;
    returning.m_returnCommand = true;
    user.WatchList(kListsTemplate, 1101).ContextMenuOnRow(1101, 1, u"Delete").Click(1);
    EXPECT_EQ(returning.DoModal(), IDOK);
    EXPECT_EQ(returning.returnedCommand, 40002u);
    EXPECT_EQ(user.LastRows(1101).size(), 5u);

    ScriptedUser grayed;
    grayed.ContextMenuOnRow(1101, 0, u"Delete");
    CUiBackendScope grayedScope(grayed);
    CListsDlg disabled;
    disabled.m_grayDelete = true;
    try {
        disabled.DoModal();
        FAIL() << "a grayed item was picked";
    } catch (const ScriptFailure& error) {
        EXPECT_EQ(std::string(error.what()).rfind("the menu item \"Delete\" is disabled", 0), 0u);
    }
}

}  // namespace
