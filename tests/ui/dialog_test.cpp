// Dialogs at work: data exchange, message maps, the keyboard, radio groups, nested dialogs and
// message boxes, each driven by a scripted user.
#include <gtest/gtest.h>

#include "host/scripted_user/scripted_user.h"
#include "platform/ui_language.h"
#include "test_dialogs.h"

namespace {

class DialogTest : public ::testing::Test {
protected:
    ScriptedUser user;
    CUiBackendScope scope{user};
};

TEST_F(DialogTest, DataExchangeFillsTheControlsAndReadsThemBackOnOk) {
    CFormDlg form;
    form.m_name = u"Motor";
    form.m_notes = u"line 1\r\nline 2";
    form.m_second = 1;
    user.Inspect([](CWnd& dialog) {
            EXPECT_EQ(TextOf(dialog, 1001), u"Motor");
            EXPECT_EQ(TextOf(dialog, 1002), u"line 1\r\nline 2");
            EXPECT_EQ(dialog.IsDlgButtonChecked(1005), BST_CHECKED);
            EXPECT_EQ(dialog.IsDlgButtonChecked(1006), BST_UNCHECKED);
            EXPECT_EQ(dialog.IsDlgButtonChecked(1008), BST_CHECKED);
        })
        .Type(1001, u"Pump")
        .Click(1004)
        .Click(1006)
        .Click(1);
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_name, u"Pump");
    EXPECT_EQ(form.m_notes, u"line 1\r\nline 2");
    EXPECT_EQ(form.m_check, 1);
    EXPECT_EQ(form.m_pair, 1);
    EXPECT_EQ(form.m_second, 1);
    // Filling the controls at the start notified nobody (notifications are locked out during data
    // exchange); the typed name is one change.
    EXPECT_EQ(form.nameChanges, 1);
    EXPECT_EQ(form.notesChanges, 0);
    EXPECT_TRUE(user.Finished());
}

TEST_F(DialogTest, TabVisitsTheEnabledTabStopsInTemplateOrder) {
    CFormDlg form;
    form.m_notes = u"abc";
    std::vector<int> focus;
    auto note = [&focus](CWnd&) { focus.push_back(FocusId()); };
    user.Inspect([](CWnd& dialog) { dialog.GetDlgItem(1003)->EnableWindow(FALSE); }).Inspect(note);
    for (int i = 0; i < 10; ++i) user.Tab().Inspect(note);
    user.Inspect([](CWnd& dialog) {
            static_cast<CEdit*>(dialog.GetDlgItem(1002))->SetSel(1, 1);
            dialog.GetDlgItem(1001)->SetFocus();
        })
        .Tab()
        .Inspect([](CWnd& dialog) {
            // Tab into an edit selects its whole text.
            int start = -1;
            int end = -1;
            static_cast<CEdit*>(dialog.GetDlgItem(1002))->GetSel(start, end);
            EXPECT_EQ(start, 0);
            EXPECT_EQ(end, 3);
        })
        .Escape();
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    // The radio groups are one stop each (at the button that starts the group); 1003 is disabled.
    EXPECT_EQ(focus, (std::vector<int>{1001, 1002, 1004, 1005, 1007, 1009, 1012, 1013, 1, 2, 1001}));
}

TEST_F(DialogTest, EnterGoesToAWantReturnEditOrAFocusedButtonElseToOk) {
    CFormDlg form;
    form.m_name = u"Motor";
    user.Click(1002)
        .Enter()
        .Enter()
        .Inspect([](CWnd& dialog) { EXPECT_EQ(TextOf(dialog, 1002), u"\r\n\r\n"); })
        .Focus(1009)
        .Enter()
        .Answer(u"保存 Motor", IDCANCEL)
        .Click(1001)
        .Enter();
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_notes, u"\r\n\r\n");
    EXPECT_EQ(form.applied, 0);
    EXPECT_EQ(form.notesChanges, 2);
    EXPECT_TRUE(user.Finished());
}

TEST_F(DialogTest, AnOverriddenOkKeepsTheDialogOpenAndEscapeOrTheCloseBoxCancels) {
    CFormDlg form;
    form.m_name = u"Motor";
    form.m_enterDoesNothing = true;
    user.Type(1001, u"Changed").Enter().Click(1).Inspect([](CWnd& dialog) {
        EXPECT_TRUE(static_cast<CDialog&>(dialog).ContinueModal());
    }).Escape();
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    EXPECT_EQ(form.m_name, u"Motor");  // a cancelled dialog leaves its fields alone

    CFormDlg closed;
    user.CloseDialog();
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.Finished());
}

TEST_F(DialogTest, RadioGroupsSwitchWithinThemselvesAndDisabledOrReadOnlyControlsIgnoreTheUser) {
    CFormDlg form;
    form.m_name = u"Motor";
    user.Click(1006)
        .Click(1008)
        .Click(1005)
        .Inspect([](CWnd& dialog) {
            EXPECT_EQ(dialog.IsDlgButtonChecked(1006), BST_UNCHECKED);
            EXPECT_EQ(dialog.IsDlgButtonChecked(1008), BST_CHECKED);
            EXPECT_EQ(dialog.GetCheckedRadioButton(1005, 1008), 1005);
            dialog.GetDlgItem(1009)->EnableWindow(FALSE);
        })
        .Click(1009)  // disabled: no question comes
        .Type(1003, u"new")
        .Inspect([](CWnd& dialog) { EXPECT_EQ(TextOf(dialog, 1003), u"固定"); })
        .Click(1);
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_pair, 0);
    EXPECT_EQ(form.m_second, 1);
    EXPECT_TRUE(user.Finished());
}

TEST_F(DialogTest, ANestedDialogRunsOnTheSameScriptAndTheFocusComesBack) {
    CFormDlg form;
    form.m_name = u"Motor";
    user.Click(1012)
        .ExpectDialog(u"Inner")
        .Inspect([](CWnd& dialog) {
            EXPECT_EQ(TextOf(dialog, 1301), u"Motor");
            EXPECT_EQ(FocusId(), 1301);
        })
        .Type(1301, u"Nested")
        .Enter()  // the inner dialog's default button is OK
        .ExpectDialog(u"表单")
        .Inspect([](CWnd& dialog) {
            EXPECT_EQ(TextOf(dialog, 1001), u"Nested");
            EXPECT_EQ(FocusId(), 1012);
        })
        .Click(1);
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_name, u"Nested");
    EXPECT_EQ(user.LogText(),
              "dialog \"表单\" opened\n"
              "dialog \"Inner\" opened\n"
              "dialog \"Inner\" ended with 1\n"
              "dialog \"表单\" ended with 1\n");
}

TEST_F(DialogTest, MessageBoxesTakeTheScriptsAnswersInTurnOrAStandingOne) {
    CFormDlg form;
    user.AlwaysAnswer(u"保存", IDOK);
    user.Click(1009)
        .Answer(u"请输入名称", IDOK)
        .Type(1001, u"A")
        .Click(1009)
        .Answer(u"保存 A", IDCANCEL)
        .Click(1009)
        .Click(1009)
        .Click(2);
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    EXPECT_EQ(form.applied, 2);
    EXPECT_EQ(user.MessageBoxTexts(), (std::vector<CString>{u"请输入名称。", u"保存 A？", u"保存 A？", u"保存 A？"}));
    const SUserLogEntry& first = user.Log()[1];
    EXPECT_EQ(first.caption, u"表单");
    EXPECT_EQ(first.answer, u"OK");
    EXPECT_EQ(user.Log()[2].caption, AfxGetAppName());
    EXPECT_EQ(user.Log()[2].answer, u"Cancel");
    EXPECT_EQ(AfxGetAppName(), u"ui_tests");
    EXPECT_EQ(first.ToString(), "message box \"表单\" [OK, error]: \"请输入名称。\" -> OK");
    EXPECT_EQ(user.Log()[2].ToString(), "message box \"ui_tests\" [OK/Cancel, question]: \"保存 A？\" -> Cancel");
}

TEST_F(DialogTest, AnInvalidArgumentFromAHandlerIsReportedAndTheDialogGoesOn) {
    SetThreadUILanguageOverride(kLangEnglishUS);
    CFormDlg form;
    user.Click(1013).Answer(u"Encountered an improper argument.", IDOK).Type(1001, u"Still open").Click(1);
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_name, u"Still open");
    SetThreadUILanguageOverride(kLangChineseSimplified);
    CFormDlg chinese;
    user.Click(1013).Answer(u"遇到不正确的参数。", IDOK).Click(2);
    EXPECT_EQ(chinese.DoModal(), IDCANCEL);
    SetThreadUILanguageOverride(0);
    EXPECT_TRUE(user.Finished());
}

}  // namespace
