// The scripted user's own promises: a script that goes wrong fails loudly with what the dialog
// showed; file dialogs fill the caller's buffer as the platform does; shell requests are recorded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstdlib>

#include "platform/ui/file_dialog.h"
#include "host/scripted_user/scripted_user.h"
#include "platform/ui/shell_open.h"
#include "test_dialogs.h"

namespace {

std::string FailureOf(ScriptedUser& user, CDialog& dialog) {
    CUiBackendScope scope(user);
    try {
        dialog.DoModal();
    } catch (const ScriptFailure& error) {
        return error.what();
    }
    return "no failure";
}

TEST(ScriptedUser, AScriptThatRunsOutReportsTheDialogAndWhatItShows) {
    CFormDlg form;
    form.m_name = u"Motor";
    HWND seen = nullptr;
    ScriptedUser user;
    user.Click(1009).Answer(u"保存", IDCANCEL).Type(1002, u"a\tnote").Inspect([&seen](CWnd& dialog) { seen = dialog.m_hWnd; });
    std::string report = FailureOf(user, form);
    EXPECT_EQ(report.rfind("the script ran out while the dialog \"表单\" waits for the user\ndialog \"表单\"\n", 0), 0u) << report;
    EXPECT_NE(report.find("\n  [1001] edit \"Motor\"\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\n  [1002] edit \"a\\tnote\" (focus)\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\n  [1003] edit \"固定\" (read-only)\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\n  [1005] radio button \"A\" checked\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\n  [-1] label \"名称：\"\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\nlast message boxes:\n  \"保存 Motor？\""), std::string::npos) << report;
    // The failed dialog is gone, and the next one runs normally.
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(form.m_hWnd, nullptr);
    ScriptedUser next;
    next.Click(2);
    CUiBackendScope scope(next);
    EXPECT_EQ(form.DoModal(), IDCANCEL);
}

TEST(ScriptedUser, QuestionsThatDoNotMatchTheScriptFail) {
    CFormDlg form;
    ScriptedUser unexpected;
    unexpected.Type(1001, u"A").Click(1009).Answer(u"删除", IDOK);
    EXPECT_NE(FailureOf(unexpected, form).find("an unexpected message box \"ui_tests\": \"保存 A？\"; the next step is: answer OK to a "
                                               "message box with \"删除\""),
              std::string::npos);
    ScriptedUser wrongButton;
    wrongButton.Type(1001, u"A").Click(1009).Answer(u"保存", IDYES);
    EXPECT_NE(FailureOf(wrongButton, form).find("the message box \"保存 A？\" has no Yes button"), std::string::npos);
    ScriptedUser neverAsked;
    neverAsked.Click(1004).Answer(u"保存", IDOK);
    EXPECT_NE(FailureOf(neverAsked, form).find("step 2 (answer OK to a message box with \"保存\") waits for a question that did not come"),
              std::string::npos);
    ScriptedUser noFile;
    noFile.Click(1004).ChooseFiles({u"/tmp/a.udt"});
    EXPECT_NE(FailureOf(noFile, form).find("step 2 (choose /tmp/a.udt in a file dialog) waits for a question that did not come"),
              std::string::npos);
}

TEST(ScriptedUser, ControlsAndItemsTheUserCannotReachFail) {
    CFormDlg form;
    ScriptedUser missing;
    missing.Click(4242);
    EXPECT_NE(FailureOf(missing, form).find("step 1 (click 4242): the dialog has no control 4242"), std::string::npos);
    CTreeDlg tree;
    ScriptedUser hidden;
    hidden.Pick(1205, u"x");
    EXPECT_NE(FailureOf(hidden, tree).find("step 1 (pick \"x\" in 1205): control 1205 is hidden"), std::string::npos);
    ScriptedUser absentItem;
    absentItem.Pick(1202, u"LReal");
    EXPECT_NE(FailureOf(absentItem, tree).find("list box 1202 has no item for: pick \"LReal\" in 1202"), std::string::npos);
    ScriptedUser absentNode;
    absentNode.PickNode(1201, {u"Group", u"Nested"});
    EXPECT_NE(FailureOf(absentNode, tree).find("the tree has no item \"Group/Nested\""), std::string::npos);
}

TEST(ScriptedUser, WithoutABackendNoDialogRuns) {
    CFormDlg form;
    EXPECT_THROW(form.DoModal(), std::runtime_error);
    EXPECT_EQ(form.m_hWnd, nullptr);
    EXPECT_THROW(AfxMessageBox(u"hello"), std::runtime_error);
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Tests run as parallel processes: each needs a folder no other process can pick.
        std::string pattern = (std::filesystem::temp_directory_path() / "vireo-ui-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        for (const char* name : {"a.udt", "b.udt", "c.scl"}) std::ofstream(folder_ / name) << "x";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    CString Path(const char* name) const { return CString::FromUtf8((folder_ / name).string()); }
    CString Folder() const { return CString::FromUtf8(folder_.string()); }

    static std::vector<CString> Chosen(CFileDialog& dialog) {
        std::vector<CString> paths;
        for (POSITION pos = dialog.GetStartPosition(); pos;) paths.push_back(dialog.GetNextPathName(pos));
        return paths;
    }

    static std::string Joined(const std::vector<CString>& paths) {
        std::string joined;
        for (const CString& path : paths) joined += (joined.empty() ? "" : "\n") + path.ToUtf8();
        return joined;
    }

    std::filesystem::path folder_;
};

TEST_F(FileDialogTest, SeveralFilesFillTheBufferAsFolderAndNamesWhenTheyFit) {
    ScriptedUser user;
    CUiBackendScope scope(user);
    std::vector<CString> files{Path("b.udt"), Path("a.udt"), Path("c.scl")};
    // Folder, zero, three names of five characters each with a zero, and the final zero.
    DWORD needed = static_cast<DWORD>(Folder().GetLength() + 1 + 3 * 6 + 1);
    user.ChooseFiles(files, u"udt文件").ChooseFiles(files).CancelFileDialog();

    std::u16string buffer(needed, u'\0');
    CFileDialog dialog(TRUE, u"*.udt", nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, u"udt文件|*.udt|scl文件|*.scl|");
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = needed;
    dialog.m_ofn.lpstrTitle = u"导入";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Chosen(dialog), files);
    EXPECT_EQ(CString(buffer.data()), Folder());
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    dialog.m_ofn.nMaxFile = needed - 1;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // cancelled by the user
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    ASSERT_EQ(user.Log().size(), 3u);
    EXPECT_EQ(user.Log()[0].ToString(), "file dialog \"导入\" (udt文件|*.udt|scl文件|*.scl|): " + Joined(files));
    EXPECT_EQ(user.Log()[2].answer, u"cancelled");
    EXPECT_TRUE(user.Finished());
}

TEST_F(FileDialogTest, OneFileIsItsFullPathAndARelativeChoiceComesFromTheCurrentFolder) {
    ScriptedUser user;
    CUiBackendScope scope(user);
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    user.ChooseFiles({u"c.scl"}).ChooseFiles({u"a.udt"});
    CFileDialog single(TRUE, u"*.xml", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, u"标签文件 (*.xml)|*.xml|");
    EXPECT_EQ(single.DoModal(), IDOK);
    EXPECT_EQ(single.GetPathName(), Path("c.scl"));
    EXPECT_EQ(Chosen(single), std::vector<CString>{Path("c.scl")});
    CFileDialog multiple(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    EXPECT_EQ(multiple.DoModal(), IDOK);
    EXPECT_EQ(Chosen(multiple), std::vector<CString>{Path("a.udt")});
    std::filesystem::current_path(saved);
}

TEST_F(FileDialogTest, ChoicesTheDialogCannotMakeFail) {
    auto failure = [](ScriptedUser& user, DWORD flags) {
        CUiBackendScope scope(user);
        CFileDialog dialog(TRUE, nullptr, nullptr, flags, u"udt文件|*.udt|");
        try {
            dialog.DoModal();
        } catch (const ScriptFailure& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    ScriptedUser two;
    two.ChooseFiles({Path("a.udt"), Path("b.udt")});
    EXPECT_EQ(failure(two, 0), "the file dialog takes one file, the script chooses 2");
    ScriptedUser missing;
    missing.ChooseFiles({Path("nothing.udt")});
    EXPECT_EQ(failure(missing, OFN_FILEMUSTEXIST), "the file dialog takes existing files only: " + Path("nothing.udt").ToUtf8());
    ScriptedUser folders;
    folders.ChooseFiles({Path("a.udt"), u"/tmp/b.udt"});
    EXPECT_EQ(failure(folders, OFN_ALLOWMULTISELECT).rfind("files chosen together must be in one folder", 0), 0u);
    ScriptedUser otherDialog;
    otherDialog.ChooseFiles({Path("a.udt")}, u"scl文件");
    EXPECT_EQ(failure(otherDialog, 0), "an unexpected file dialog \"\" (udt文件|*.udt|); the next step is: choose " + Path("a.udt").ToUtf8() +
                                           " in a file dialog");
}

TEST_F(FileDialogTest, ShellRequestsAreRecordedAndNoProgramStarts) {
    ScriptedUser user;
    CUiBackendScope scope(user);
    HINSTANCE found = ShellExecuteW(nullptr, u"open", u"a.udt", nullptr, Folder().GetString(), SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<intptr_t>(found), 32);
    HINSTANCE missing = ShellExecuteW(nullptr, u"open", Path("Vireo_ex.chm").GetString(), nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_EQ(reinterpret_cast<intptr_t>(missing), SE_ERR_FNF);
    EXPECT_EQ(user.LogText(), "shell open " + Path("a.udt").ToUtf8() + "\nshell open " + Path("Vireo_ex.chm").ToUtf8() + "\n");
}

}  // namespace
