// Small dialogs that exercise the framework as the driver's dialogs do. Their templates are in this
// folder (ui_tests.rc).
#pragma once

#include <ostream>
#include <vector>

#include "platform/invalid_arg.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/tree_ctrl.h"

inline constexpr UINT kFormTemplate = 901;
inline constexpr UINT kListsTemplate = 902;
inline constexpr UINT kTreeTemplate = 903;
inline constexpr UINT kInnerTemplate = 904;
inline constexpr UINT kBrokenTemplate = 905;

/// Edits, a check box, two radio groups; Apply asks before it counts, More opens CInnerDlg, Fail
/// raises the invalid-argument exception.
class CFormDlg : public CDialog {
public:
    CFormDlg() : CDialog(kFormTemplate) {}

    CString m_name;
    CString m_notes;
    int m_check = 0;
    int m_pair = 0;      ///< radio group 1005/1006
    int m_second = -1;   ///< radio group 1007/1008
    bool m_enterDoesNothing = false;

    int applied = 0;
    int nameChanges = 0;
    int notesChanges = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnApply();
    void OnMore();
    void OnFail() { throw CInvalidArgException("a bad line"); }
    void OnNameChange() { ++nameChanges; }
    void OnNotesChange() { ++notesChanges; }
    DECLARE_MESSAGE_MAP()
};

class CInnerDlg : public CDialog {
public:
    CInnerDlg() : CDialog(kInnerTemplate) {}
    CString m_text;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, 1301, m_text); }
};

/// An edit that asks its parent list to end the edit when it loses the focus.
class CCellEdit : public CEdit {
protected:
    void OnKillFocus(CWnd* newWindow);
    DECLARE_MESSAGE_MAP()
};

inline constexpr UINT kEndCellEdit = WM_USER + 101;

/// A list whose first column is edited in place after a double click.
class CEditableList : public CListCtrl {
public:
    CCellEdit m_edit;

protected:
    void OnLButtonDblClk(UINT flags, CPoint point);
    LRESULT OnEndEdit(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CFont font_;
    int row_ = 0;
    CString old_;
};

struct SListClick {
    UINT code;
    int item;
    int subItem;

    bool operator==(const SListClick&) const = default;
};

inline void PrintTo(const SListClick& click, std::ostream* out) {
    *out << "{" << static_cast<int>(click.code) << ", " << click.item << ", " << click.subItem << "}";
}

/// List 1101 (full rows, a popup menu with "Edit" and "Delete") and the editable list 1102.
class CListsDlg : public CDialog {
public:
    CListsDlg() : CDialog(kListsTemplate) {}

    int m_rows = 5;
    bool m_returnCommand = false;  ///< the popup menu returns its pick instead of posting it
    bool m_grayDelete = false;
    CEditableList m_cells;
    UINT returnedCommand = 0;
    std::vector<SListClick> clicks;  ///< NM_CLICK, NM_DBLCLK and NM_RCLICK of list 1101

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 1102, m_cells); }
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnContextMenu(CWnd* window, CPoint point);
    void OnDeleteRow();
    void OnMenuButton();
    DECLARE_MESSAGE_MAP()
};

/// A tree with a sorted group, a sorted list box and a combo box; it records what it is told.
class CTreeDlg : public CDialog {
public:
    CTreeDlg() : CDialog(kTreeTemplate) {}

    std::vector<CString> selections;   ///< "path (action)" at each TVN_SELCHANGED
    std::vector<CString> clickSaw;     ///< at NM_CLICK: "selected / under the mouse"
    std::vector<CString> listPicks;
    std::vector<CString> comboPicks;   ///< the combo's current item text at CBN_SELCHANGE

protected:
    BOOL OnInitDialog() override;
    void OnSelChanged(NMHDR* header, LRESULT* result);
    void OnTreeClick(NMHDR* header, LRESULT* result);
    void OnListPick();
    void OnComboPick();
    DECLARE_MESSAGE_MAP()
};

/// Shows texts as UTF-8 in test failure messages.
inline void PrintTo(const CString& text, std::ostream* out) { *out << '"' << text.ToUtf8() << '"'; }

/// The identifier of the control that has the focus, or 0.
inline int FocusId() {
    CWnd* focus = CWnd::GetFocus();
    return focus ? focus->GetDlgCtrlID() : 0;
}

inline CString TextOf(CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}
