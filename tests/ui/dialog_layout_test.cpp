// Dialog units, the template format, and dialogs built from template resources.
#include <gtest/gtest.h>

#include "platform/ui/dialog_template.h"
#include "platform/ui/dialog_units.h"
#include "host/scripted_user/scripted_user.h"
#include "test_dialogs.h"

namespace {

TEST(DialogUnits, FollowTheTemplateFontsAverageCharacter) {
    SFontMetrics simsun = FontMetricsFor(u"宋体", 90);
    EXPECT_EQ(simsun.charWidth, 6);
    EXPECT_EQ(simsun.charHeight, 12);
    SFontMetrics shell = FontMetricsFor(u"ms shell dlg", 80);
    EXPECT_EQ(shell.charWidth, 6);
    EXPECT_EQ(shell.charHeight, 13);
    SFontMetrics other = FontMetricsFor(u"宋体", 95);  // 9.5 pt: 13 pixels high, half as wide
    EXPECT_EQ(other.charWidth, 7);
    EXPECT_EQ(other.charHeight, 13);

    // The tag import dialog's 333 x 372 units in "MS Shell Dlg" 8: halves round away from zero.
    EXPECT_EQ(DialogRectToPixels(0, 0, 333, 372, shell), CRect(0, 0, 500, 605));
    // Position and size are converted each on its own, not the right edge.
    EXPECT_EQ(DialogRectToPixels(15, 19, 76, 10, shell), CRect(23, 31, 23 + 114, 31 + 16));
    EXPECT_EQ(MulDiv(-1, 6, 4), -2);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(TextWidth(u"Motor数据", simsun), 5 * 6 + 2 * 12);
}

TEST(DialogTemplate, ReadsControlsTextsAndStyles) {
    SDialogTemplate layout = ParseDialogTemplate(
        "# comment \"unclosed\n"
        "CAPTION \"数据 \\\"结构\\\"\"\r\n"
        "FONT 8, \"MS Shell Dlg\"\n"
        "SIZE 429, 259\n"
        "\n"
        "RADIOBUTTON 1026 \"博图V13\" 15, 19, 76, 10 GROUP\n"
        "RADIOBUTTON 1025 \"博图V15\" 103 19 85 10\n"
        "STATIC -1 \"a\\tb\" 1 2 3 4\n"
        "EDIT 1025 \"\" 1 2 3 4 MULTILINE READONLY BORDER HIDDEN\n"
        "PUSHBUTTON 5 \"编辑\" 1 2 3 4 NOTABSTOP DISABLED\n"
        "COMBOBOX 1045 \"\" 1 2 3 4 DROPDOWNLIST\n");
    EXPECT_EQ(layout.caption, u"数据 \"结构\"");
    EXPECT_EQ(layout.fontFace, u"MS Shell Dlg");
    EXPECT_EQ(layout.fontPoints, 8);
    EXPECT_EQ(layout.cx, 429);
    ASSERT_EQ(layout.controls.size(), 6u);
    const SDialogControl& first = layout.controls[0];
    EXPECT_EQ(first.id, 1026);
    EXPECT_EQ(first.text, u"博图V13");
    EXPECT_EQ(first.x, 15);
    EXPECT_EQ(first.cx, 76);
    EXPECT_EQ(first.style & (WS_GROUP | WS_TABSTOP | WS_VISIBLE), WS_GROUP | WS_TABSTOP | WS_VISIBLE);
    EXPECT_EQ(first.style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_EQ(layout.controls[1].style & WS_TABSTOP, 0u);  // a radio button that does not start a group
    EXPECT_EQ(layout.controls[2].text, u"a\tb");
    EXPECT_EQ(layout.controls[2].style & WS_TABSTOP, 0u);
    DWORD edit = layout.controls[3].style;
    EXPECT_EQ(edit & (ES_MULTILINE | ES_READONLY | WS_BORDER | WS_TABSTOP), ES_MULTILINE | ES_READONLY | WS_BORDER | WS_TABSTOP);
    EXPECT_EQ(edit & WS_VISIBLE, 0u);
    EXPECT_EQ(layout.controls[4].style & (WS_TABSTOP | WS_DISABLED), WS_DISABLED);
    EXPECT_EQ(layout.controls[5].style & 0x3u, CBS_DROPDOWNLIST);
}

TEST(DialogTemplate, NamesTheLineOfEachMistake) {
    auto message = [](const char* text) {
        try {
            ParseDialogTemplate(text);
        } catch (const CDialogTemplateError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("SIZE 1 2\nEDIT 1 \"\" 1 2 3 4 SPARKLING\n"), "line 2: unknown style word SPARKLING for EDIT");
    EXPECT_EQ(message("SIZE 1 2\nLISTBOX 1 \"\" 1 2 3 4 MULTILINE\n"), "line 2: unknown style word MULTILINE for LISTBOX");
    EXPECT_EQ(message("CAPTION \"x\n"), "line 1: a quoted text is not closed");
    EXPECT_EQ(message("SIZE 1 2\nEDIT 1x \"\" 1 2 3 4\n"), "line 2: expected a number for the identifier, got \"1x\"");
    EXPECT_EQ(message("SIZE 1 2\nEDIT 1 \"\" 1 2 3\n"), "line 2: expected KIND ID \"TEXT\" X Y CX CY [STYLE ...]");
    EXPECT_EQ(message("SIZE 1 2\nWINDOW 1\n"), "line 2: unknown statement WINDOW");
    EXPECT_EQ(message("CAPTION \"x\"\n"), "line 1: the template has no SIZE");
    EXPECT_EQ(message(""), "line 0: the template has no SIZE");
}

TEST(DialogResource, BuildsTheControlsInPixelsOfTheTemplateFont) {
    ScriptedUser user;
    CUiBackendScope scope(user);
    CFormDlg form;
    user.Inspect([](CWnd& dialog) {
            CString caption;
            dialog.GetWindowText(caption);
            EXPECT_EQ(caption, u"表单");
            // "FONT 9, 宋体" gives 6 x 12: x 10 -> 15, y 10 -> 15, 80 x 14 -> 120 x 21; the first
            // dialog's client area starts at (100, 80) on the screen.
            CRect rect;
            dialog.GetDlgItem(1001)->GetWindowRect(&rect);
            EXPECT_EQ(rect, CRect(115, 95, 235, 116));
            dialog.GetDlgItem(1001)->GetClientRect(&rect);
            EXPECT_EQ(rect, CRect(0, 0, 116, 17));  // inside the 2-pixel edge
            dialog.GetClientRect(&rect);
            EXPECT_EQ(rect, CRect(0, 0, 330, 240));
            EXPECT_EQ(TextOf(dialog, 1003), u"固定");
            EXPECT_EQ(FocusId(), 1001);  // the first tab stop
        })
        .Click(2);
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.Finished());
}

TEST(DialogResource, AMissingTemplateFailsAndABrokenOneSaysWhere) {
    ScriptedUser user;
    CUiBackendScope scope(user);
    CDialog missing(999);
    EXPECT_EQ(missing.DoModal(), -1);
    CDialog broken(kBrokenTemplate);
    try {
        broken.DoModal();
        FAIL() << "a broken template was accepted";
    } catch (const CDialogTemplateError& error) {
        EXPECT_EQ(std::string(error.what()), "dialog template 905, line 3: unknown style word SPARKLING for EDIT");
    }
    EXPECT_EQ(broken.m_hWnd, nullptr);
}

}  // namespace
