// Report list views: geometry and hit tests, what clicks tell the parent, scrolling, selection,
// popup menus, and a list that edits a cell in place with a child edit.
#include <gtest/gtest.h>

#include "host/scripted_user/scripted_user.h"
#include "test_dialogs.h"

namespace {

class ListCtrlTest : public ::testing::Test {
protected:
    static CListCtrl& List(CWnd& dialog, int id) { return *static_cast<CListCtrl*>(dialog.GetDlgItem(id)); }

    std::vector<int> Selected(CWnd& dialog) {
        std::vector<int> rows;
        CListCtrl& list = List(dialog, 1101);
        for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) rows.push_back(list.GetNextSelectedItem(pos));
        return rows;
    }

    ScriptedUser user;
    CUiBackendScope scope{user};
};

// List 1101 is 200 x 100 units in "宋体" 9 (6 x 12): 300 x 150 pixels, a 296 x 146 client area
// inside its edge, a 20-pixel header and 16-pixel rows; columns 60, 80 and 100 pixels wide.
TEST_F(ListCtrlTest, LabelRectanglesAndHitTestsFollowTheRows) {
    CListsDlg dialog;
    user.Inspect([](CWnd& dlg) {
            CListCtrl& list = List(dlg, 1101);
            EXPECT_EQ(list.GetCountPerPage(), 7);
            CRect label;
            ASSERT_TRUE(list.GetItemRect(2, &label, LVIR_LABEL));
            EXPECT_EQ(label, CRect(0, 52, 60, 68));
            ASSERT_TRUE(list.GetItemRect(2, &label, LVIR_BOUNDS));
            EXPECT_EQ(label, CRect(0, 52, 240, 68));
            CRect cell;
            ASSERT_TRUE(list.GetSubItemRect(2, 2, LVIR_LABEL, cell));
            EXPECT_EQ(cell, CRect(140, 52, 240, 68));
            EXPECT_FALSE(list.GetItemRect(5, &label, LVIR_LABEL));

            UINT flags = 0;
            EXPECT_EQ(list.HitTest(CPoint(30, 60), &flags), 2);
            EXPECT_EQ(flags, LVHT_ONITEMLABEL);
            EXPECT_EQ(list.HitTest(CPoint(200, 67)), 2);  // full-row selection: any column
            EXPECT_EQ(list.HitTest(CPoint(250, 60), &flags), -1);  // right of the last column
            EXPECT_EQ(flags, LVHT_NOWHERE);
            EXPECT_EQ(list.HitTest(CPoint(30, 10)), -1);   // the header
            EXPECT_EQ(list.HitTest(CPoint(30, 100)), -1);  // below the five rows
            LVHITTESTINFO hit;
            hit.pt = CPoint(100, 68);
            EXPECT_EQ(list.SubItemHitTest(&hit), 3);
            EXPECT_EQ(hit.iSubItem, 1);

            // 1102 does not select full rows: only column 0 hits an item, though every cell has
            // its sub-item.
            CListCtrl& cells = List(dlg, 1102);
            EXPECT_EQ(cells.HitTest(CPoint(100, 25)), -1);
            EXPECT_EQ(cells.HitTest(CPoint(59, 25)), 0);
            hit.pt = CPoint(100, 25);
            EXPECT_EQ(cells.SubItemHitTest(&hit), 0);
            EXPECT_EQ(hit.iSubItem, 1);
        })
        .Click(2);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(ListCtrlTest, ClicksSelectAndTellTheParentTheItemAndColumnHit) {
    CListsDlg dialog;
    user.DoubleClickRow(1101, 3)
        .Inspect([this](CWnd& dlg) {
            EXPECT_EQ(List(dlg, 1101).GetSelectionMark(), 3);
            EXPECT_EQ(Selected(dlg), std::vector<int>{3});
            EXPECT_EQ(FocusId(), 1101);
        })
        .ClickAt(1101, CPoint(200, 20 + 16 + 8))
        .ClickAt(1101, CPoint(30, 140))  // below the rows
        .Inspect([this](CWnd& dlg) {
            EXPECT_TRUE(Selected(dlg).empty());
            EXPECT_EQ(List(dlg, 1101).GetSelectionMark(), 1);  // the mark stays
        })
        .Pick(1101, u"Row2")
        .AddToSelection(1101, 4)
        .AddToSelection(1101, 0)
        .AddToSelection(1101, 2)
        .Inspect([this](CWnd& dlg) { EXPECT_EQ(Selected(dlg), (std::vector<int>{0, 4})); })
        .Click(1);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    std::vector<SListClick> expected{{NM_CLICK, 3, 0}, {NM_DBLCLK, 3, 0}, {NM_CLICK, 1, 2}, {NM_CLICK, -1, 0},
                                     {NM_CLICK, 2, 0}, {NM_CLICK, 4, 0},  {NM_CLICK, 0, 0}, {NM_CLICK, 2, 0}};
    EXPECT_EQ(dialog.clicks, expected);
}

TEST_F(ListCtrlTest, TheUserScrollsToARowBeforeClickingIt) {
    CListsDlg dialog;
    dialog.m_rows = 30;
    user.DoubleClickRow(1101, 25).Inspect([](CWnd& dlg) { EXPECT_EQ(List(dlg, 1101).GetTopIndex(), 19); }).DoubleClickRow(1101, 2).Click(1);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(dialog.clicks.size(), 4u);
    EXPECT_EQ(dialog.clicks[1], (SListClick{NM_DBLCLK, 25, 0}));
    EXPECT_EQ(dialog.clicks[3], (SListClick{NM_DBLCLK, 2, 0}));
}

TEST_F(ListCtrlTest, ARightClickOpensTheMenuAndThePickedCommandIsPosted) {
    CListsDlg dialog;
    user.WatchList(kListsTemplate, 1101)
        .ContextMenuOnRow(1101, 2, u"Delete")
        .Pick(1101, 0)
        .ContextMenu(1101, u"Delete")
        .Click(1);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.clicks[0], (SListClick{NM_RCLICK, 2, 0}));
    ListRowTexts rows = user.LastRows(1101);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<CString>{u"Row1", u"a1", u"b1"}));
    EXPECT_EQ(rows[1][0], u"Row3");
    EXPECT_NE(user.LogText().find("popup menu: \"Delete\"\n"), std::string::npos);
    EXPECT_NE(user.LogText().find("list 1101 of \"Lists\": 3 rows\n  Row1\ta1\tb1\n"), std::string::npos);
}

TEST_F(ListCtrlTest, MenuMistakesAreReportedWithTheItemsOnOffer) {
    auto failure = [](ScriptedUser& user) {
        CUiBackendScope scope(user);
        CListsDlg dialog;
        try {
            dialog.DoModal();
        } catch (const ScriptFailure& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    ScriptedUser missingItem;
    missingItem.ContextMenuOnRow(1101, 0, u"Rename");
    EXPECT_NE(failure(missingItem).find("the popup menu has no item \"Rename\"; its items: Edit, Delete"), std::string::npos);
    ScriptedUser surprised;
    surprised.Click(1104);
    EXPECT_NE(failure(surprised).find("a popup menu opened that the script did not ask for: Surprise"), std::string::npos);
    ScriptedUser noMenu;
    noMenu.ContextMenu(1103, u"Edit");
    EXPECT_NE(failure(noMenu).find("step 1 (context menu of 1103, pick \"Edit\") opened no popup menu"), std::string::npos);
}

TEST_F(ListCtrlTest, ACellIsEditedInPlaceAndCommittedWhenTheEditLosesTheFocus) {
    CListsDlg dialog;
    HWND editor = nullptr;
    user.DoubleClickRow(1102, 1)
        .Inspect([&editor](CWnd& dlg) {
            CListCtrl& cells = List(dlg, 1102);
            CEdit* edit = static_cast<CEdit*>(cells.GetDlgItem(2002));
            ASSERT_NE(edit, nullptr);
            editor = edit->m_hWnd;
            EXPECT_TRUE(edit->IsWindowVisible());
            EXPECT_EQ(FocusId(), 2002);
            CString text;
            edit->GetWindowText(text);
            EXPECT_EQ(text, u"DB2");
            int start = -1;
            int end = -1;
            edit->GetSel(start, end);
            EXPECT_EQ(start, 3);  // the caret at the end, nothing selected
            EXPECT_EQ(end, 3);
            CRect placed;
            CRect label;
            edit->GetWindowRect(&placed);
            cells.GetItemRect(1, &label, LVIR_LABEL);
            cells.ClientToScreen(&label);
            EXPECT_EQ(placed, label);
        })
        .Type(2002, u"DB7")
        .Click(1103)
        .Inspect([&editor](CWnd& dlg) {
            CListCtrl& cells = List(dlg, 1102);
            EXPECT_EQ(cells.GetItemText(1, 0), u"DB7");
            EXPECT_FALSE(CWnd::FromHandle(editor)->IsWindowVisible());
            EXPECT_EQ(FocusId(), 1103);
        })
        .DoubleClickRow(1102, 0)
        .Inspect([&editor](CWnd& dlg) {
            EXPECT_EQ(List(dlg, 1102).GetDlgItem(2002)->m_hWnd, editor);  // made once, then reused
            EXPECT_EQ(TextOf(List(dlg, 1102), 2002), u"DB1");
        })
        .Click(1);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_cells.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(editor));
}

}  // namespace
