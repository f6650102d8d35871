// Tree views (sorting, depth-first search, hit tests, what a click tells the parent and when),
// sorted list boxes and drop-down combo boxes.
#include <gtest/gtest.h>

#include "host/scripted_user/scripted_user.h"
#include "platform/ui/ui_text_order.h"
#include "test_dialogs.h"

namespace {

class TreeAndListsTest : public ::testing::Test {
protected:
    static CTreeCtrl& Tree(CWnd& dialog) { return *static_cast<CTreeCtrl*>(dialog.GetDlgItem(1201)); }
    static CListBox& Box(CWnd& dialog) { return *static_cast<CListBox*>(dialog.GetDlgItem(1202)); }
    static CComboBox& Combo(CWnd& dialog) { return *static_cast<CComboBox*>(dialog.GetDlgItem(1203)); }

    static std::vector<CString> Children(CTreeCtrl& tree, HTREEITEM parent) {
        std::vector<CString> texts;
        for (HTREEITEM child = tree.GetChildItem(parent); child; child = tree.GetNextSiblingItem(child)) texts.push_back(tree.GetItemText(child));
        return texts;
    }

    ScriptedUser user;
    CUiBackendScope scope{user};
};

TEST(UiTextOrder, IgnoresCaseAndPutsSymbolsDigitsLettersAndOthersInThatOrder) {
    EXPECT_LT(CompareUiText(u"apple", u"Banana"), 0);
    EXPECT_GT(CompareUiText(u"Banana", u"apple"), 0);
    EXPECT_EQ(CompareUiText(u"Motor", u"MOTOR"), 0);
    EXPECT_LT(CompareUiText(u"Time", u"Time_Of_Day"), 0);
    EXPECT_LT(CompareUiText(u"A_B", u"AB"), 0);   // "_" is a symbol: before the letters
    EXPECT_LT(CompareUiText(u"A9", u"AA"), 0);    // digits before letters
    EXPECT_LT(CompareUiText(u"Zeta", u"中文"), 0);
    EXPECT_LT(CompareUiText(u"Element_10", u"Element_2"), 0);  // character by character
    EXPECT_TRUE(StartsWithNoCase(u"DInt", u"di"));
    EXPECT_FALSE(StartsWithNoCase(u"DI", u"dint"));
}

TEST_F(TreeAndListsTest, TreeSortsAGroupsChildrenAndSearchesDepthFirst) {
    CTreeDlg dialog;
    user.Inspect([](CWnd& dlg) {
            CTreeCtrl& tree = Tree(dlg);
            HTREEITEM group = tree.GetRootItem();
            EXPECT_EQ(Children(tree, group), (std::vector<CString>{u"_x", u"array10", u"Array2", u"Bool", u"dint", u"Int", u"motor",
                                                                   u"Motor", u"Zeta", u"中文"}));
            EXPECT_EQ(Children(tree, TVI_ROOT), (std::vector<CString>{u"Group", u"Other"}));
            EXPECT_EQ(tree.GetParentItem(group), nullptr);
            EXPECT_EQ(tree.GetCount(), 14u);

            HTREEITEM found = tree.FindItemByText(u"MOTOR", true);
            EXPECT_EQ(TreeItemPath(tree, found), u"Group/motor");
            found = tree.FindItemByText(u"MOTOR", false);
            EXPECT_EQ(TreeItemPath(tree, found), u"Other/Nested/MOTOR");
            HTREEITEM other = tree.GetNextSiblingItem(group);
            EXPECT_EQ(TreeItemPath(tree, tree.FindItemByText(u"motor", true, other)), u"Other/Nested/MOTOR");
            EXPECT_EQ(tree.FindItemByText(u"Group", false, other), nullptr);  // below other only
            EXPECT_EQ(tree.FindItemByText(u"Absent", true), nullptr);
        })
        .Click(2);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(TreeAndListsTest, TreeRowsAndLabelsAreHitWhereTheyStand) {
    CTreeDlg dialog;
    user.Inspect([](CWnd& dlg) {
        CTreeCtrl& tree = Tree(dlg);
        HTREEITEM group = tree.GetRootItem();
        // Lines at the root: the label starts one indent in; "Group" is 5 x 6 pixels plus 4.
        CRect label;
        ASSERT_TRUE(tree.GetItemRect(group, &label, TRUE));
        EXPECT_EQ(label, CRect(19, 0, 53, 16));
        EXPECT_FALSE(tree.GetItemRect(tree.GetChildItem(group), &label, TRUE));  // collapsed away
        UINT flags = 0;
        EXPECT_EQ(tree.HitTest(CPoint(30, 8), &flags), group);
        EXPECT_EQ(flags, TVHT_ONITEMLABEL);
        EXPECT_EQ(tree.HitTest(CPoint(5, 8), &flags), group);
        EXPECT_EQ(flags, TVHT_ONITEMBUTTON);
        EXPECT_EQ(tree.HitTest(CPoint(100, 20), &flags), tree.GetNextSiblingItem(group));
        EXPECT_EQ(flags, TVHT_ONITEMRIGHT);
        EXPECT_EQ(tree.HitTest(CPoint(30, 40), &flags), nullptr);
        EXPECT_EQ(flags, TVHT_NOWHERE);
        tree.Expand(group, TVE_EXPAND);
        ASSERT_TRUE(tree.GetItemRect(tree.GetChildItem(group), &label, TRUE));
        EXPECT_EQ(label, CRect(38, 16, 38 + 2 * 6 + 4, 32));
    }).Click(2);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(TreeAndListsTest, AClickTellsTheParentBeforeTheSelectionMoves) {
    CTreeDlg dialog;
    user.PickNode(1201, {u"Other", u"Nested", u"MOTOR"})
        .Pick(1201, u"Bool")
        .Inspect([](CWnd& dlg) {
            CTreeCtrl& tree = Tree(dlg);
            HTREEITEM selected = tree.GetSelectedItem();
            EXPECT_EQ(tree.GetItemState(selected, TVIS_SELECTED), TVIS_SELECTED);
            tree.DeleteItem(selected);  // the next sibling takes the selection
            tree.Expand(tree.GetRootItem(), TVE_COLLAPSE);  // collapsing over it moves it up
            tree.DeleteAllItems();
            EXPECT_EQ(tree.GetSelectedItem(), nullptr);
        })
        .Click(2);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.clickSaw, (std::vector<CString>{u"none / MOTOR", u"MOTOR / Bool"}));
    EXPECT_EQ(dialog.selections, (std::vector<CString>{u"Other/Nested/MOTOR (mouse)", u"Group/Bool (mouse)", u"Group/dint (program)",
                                                       u"Group (program)"}));
}

TEST_F(TreeAndListsTest, SortedListBoxFindsByPrefixAndTellsTheParentOfAPick) {
    CTreeDlg dialog;
    user.Inspect([](CWnd& dlg) {
            CListBox& box = Box(dlg);
            std::vector<CString> items;
            for (int i = 0; i < box.GetCount(); ++i) {
                CString text;
                box.GetText(i, text);
                items.push_back(text);
            }
            // "dint" came before "DInt" and they compare equal: it stays first.
            EXPECT_EQ(items, (std::vector<CString>{u"_x", u"Array", u"Bool", u"dint", u"DInt", u"Int", u"UInt", u"USInt", u"WChar",
                                                   u"Word"}));
            EXPECT_EQ(box.FindString(-1, u"di"), 3);
            EXPECT_EQ(box.FindString(3, u"di"), 4);
            EXPECT_EQ(box.FindString(4, u"di"), 3);  // wraps around
            EXPECT_EQ(box.FindStringExact(-1, u"DINT"), 3);
            EXPECT_EQ(box.FindString(-1, u"zz"), LB_ERR);
            EXPECT_EQ(box.SetCurSel(20), LB_ERR);
            EXPECT_EQ(box.GetCurSel(), -1);
        })
        .Pick(1202, u"DInt")
        .Pick(1202, u"Word")  // past the four rows shown: the user scrolls first
        .Inspect([](CWnd& dlg) { EXPECT_EQ(Box(dlg).GetCurSel(), 9); })
        .Click(2);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.listPicks, (std::vector<CString>{u"DInt", u"Word"}));
}

TEST_F(TreeAndListsTest, ComboBoxTakesAPickedItemOrATypedText) {
    CTreeDlg dialog;
    user.Inspect([](CWnd& dlg) {
            CRect rect;
            Combo(dlg).GetWindowRect(&rect);
            EXPECT_EQ(rect.Height(), 20);  // closed: one line of the 12-pixel font
        })
        .Pick(1203, u"Read Only")
        .Inspect([](CWnd& dlg) {
            EXPECT_EQ(TextOf(dlg, 1203), u"Read Only");
            EXPECT_EQ(Combo(dlg).GetCurSel(), 1);
        })
        .Type(1203, u"Custom\r\nignored")
        .Inspect([](CWnd& dlg) {
            EXPECT_EQ(TextOf(dlg, 1203), u"Custom");
            EXPECT_EQ(Combo(dlg).GetCurSel(), -1);
            EXPECT_EQ(Combo(dlg).SelectString(-1, u"non"), 2);
            EXPECT_EQ(TextOf(dlg, 1203), u"None");
        })
        .Pick(1203, 0)
        .Click(2);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.comboPicks, (std::vector<CString>{u"Read Only", u"Read/Write"}));
}

}  // namespace
