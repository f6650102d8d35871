#include "test_dialogs.h"

#include "host/user_input/screen_text.h"

void CFormDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, 1001, m_name);
    DDX_Text(dx, 1002, m_notes);
    DDX_Check(dx, 1004, m_check);
    DDX_Radio(dx, 1005, m_pair);
    DDX_Radio(dx, 1007, m_second);
}

void CFormDlg::OnOK() {
    if (!m_enterDoesNothing) CDialog::OnOK();
}

void CFormDlg::OnApply() {
    CString name;
    GetDlgItemText(1001, name);
    if (name.IsEmpty()) {
        MessageBox(u"请输入名称。", u"表单", MB_OK | MB_ICONERROR);
        return;
    }
    if (AfxMessageBox(u"保存 " + name + u"？", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) ++applied;
}

void CFormDlg::OnMore() {
    CInnerDlg inner;
    GetDlgItemText(1001, inner.m_text);
    if (inner.DoModal() == IDOK) SetDlgItemText(1001, inner.m_text);
}

BEGIN_MESSAGE_MAP(CFormDlg, CDialog)
    ON_BN_CLICKED(1009, &CFormDlg::OnApply)
    ON_BN_CLICKED(1012, &CFormDlg::OnMore)
    ON_BN_CLICKED(1013, &CFormDlg::OnFail)
    ON_EN_CHANGE(1001, &CFormDlg::OnNameChange)
    ON_EN_CHANGE(1002, &CFormDlg::OnNotesChange)
END_MESSAGE_MAP()

void CCellEdit::OnKillFocus(CWnd* newWindow) {
    CEdit::OnKillFocus(newWindow);
    GetParent()->PostMessage(kEndCellEdit);
}

BEGIN_MESSAGE_MAP(CCellEdit, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CEditableList::OnLButtonDblClk(UINT flags, CPoint point) {
    LVHITTESTINFO hit;
    hit.pt = point;
    SubItemHitTest(&hit);
    if (hit.iItem < 0 || hit.iSubItem != 0) return;
    row_ = hit.iItem;
    CRect cell;
    GetSubItemRect(row_, 0, LVIR_LABEL, cell);
    if (!m_edit.m_hWnd) {
        m_edit.Create(ES_AUTOHSCROLL, cell, this, 2002);
        font_.CreatePointFont(95, u"宋体");
        m_edit.SetFont(&font_);
    }
    old_ = GetItemText(row_, 0);
    m_edit.MoveWindow(&cell);
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetWindowText(old_);
    m_edit.SetFocus();
    m_edit.SetSel(65535, 65535);
    CListCtrl::OnLButtonDblClk(flags, point);
}

LRESULT CEditableList::OnEndEdit(WPARAM, LPARAM) {
    CString text;
    m_edit.GetWindowText(text);
    if (!(text == old_)) SetItemText(row_, 0, text);
    m_edit.ShowWindow(SW_HIDE);
    return 0;
}

BEGIN_MESSAGE_MAP(CEditableList, CListCtrl)
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(kEndCellEdit, &CEditableList::OnEndEdit)
END_MESSAGE_MAP()

BOOL CListsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CListCtrl* list = static_cast<CListCtrl*>(GetDlgItem(1101));
    list->InsertColumn(0, u"Name", LVCFMT_LEFT, 60);
    list->InsertColumn(1, u"Type", LVCFMT_LEFT, 80);
    list->InsertColumn(2, u"Note", LVCFMT_LEFT, 100);
    list->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < m_rows; ++i) {
        CString index = CString::FromUtf8(std::to_string(i));
        list->InsertItem(i, u"Row" + index);
        list->SetItemText(i, 1, u"a" + index);
        list->SetItemText(i, 2, u"b" + index);
    }
    m_cells.InsertColumn(0, u"块号", LVCFMT_CENTER, 60);
    m_cells.InsertColumn(1, u"文件名", LVCFMT_CENTER, 80);
    for (int i = 0; i < 3; ++i) {
        CString number = CString::FromUtf8(std::to_string(i + 1));
        m_cells.InsertItem(i, u"DB" + number);
        m_cells.SetItemText(i, 1, u"f" + number);
    }
    return TRUE;
}

void CListsDlg::OnListClick(NMHDR* header, LRESULT* result) {
    const NMITEMACTIVATE* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
    clicks.push_back({header->code, activate->iItem, activate->iSubItem});
    *result = 0;
}

void CListsDlg::OnContextMenu(CWnd* window, CPoint point) {
    if (!window || window->GetDlgCtrlID() != 1101) return;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 40001, u"Edit");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 40002, u"Delete");
    if (m_grayDelete) menu.EnableMenuItem(40002, MF_BYCOMMAND | MF_GRAYED);
    UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | (m_returnCommand ? TPM_RETURNCMD : 0);
    BOOL result = menu.TrackPopupMenu(flags, point.x, point.y, this);
    if (m_returnCommand) returnedCommand = static_cast<UINT>(result);
}

void CListsDlg::OnDeleteRow() {
    CListCtrl* list = static_cast<CListCtrl*>(GetDlgItem(1101));
    list->DeleteItem(list->GetSelectionMark());
}

void CListsDlg::OnMenuButton() {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 40003, u"Surprise");
    menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, this);
}

BEGIN_MESSAGE_MAP(CListsDlg, CDialog)
    ON_NOTIFY(NM_CLICK, 1101, &CListsDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, 1101, &CListsDlg::OnListClick)
    ON_NOTIFY(NM_RCLICK, 1101, &CListsDlg::OnListClick)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(40002, &CListsDlg::OnDeleteRow)
    ON_BN_CLICKED(1104, &CListsDlg::OnMenuButton)
END_MESSAGE_MAP()

BOOL CTreeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CTreeCtrl* tree = static_cast<CTreeCtrl*>(GetDlgItem(1201));
    HTREEITEM group = tree->InsertItem(u"Group");
    for (const char16_t* name : {u"dint", u"Bool", u"_x", u"Array2", u"array10", u"Int", u"中文", u"Zeta", u"motor", u"Motor"})
        tree->InsertItem(name, group);
    tree->SortChildren(group);
    HTREEITEM other = tree->InsertItem(u"Other");
    HTREEITEM nested = tree->InsertItem(u"Nested", other);
    tree->InsertItem(u"MOTOR", nested);
    CListBox* box = static_cast<CListBox*>(GetDlgItem(1202));
    for (const char16_t* name : {u"Int", u"dint", u"Bool", u"Array", u"_x", u"DInt", u"USInt", u"UInt", u"Word", u"WChar"})
        box->AddString(name);
    CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(1203));
    for (const char16_t* text : {u"Read/Write", u"Read Only", u"None"}) combo->AddString(text);
    return TRUE;
}

void CTreeDlg::OnSelChanged(NMHDR* header, LRESULT* result) {
    const NMTREEVIEW* change = reinterpret_cast<const NMTREEVIEW*>(header);
    CTreeCtrl* tree = static_cast<CTreeCtrl*>(GetDlgItem(1201));
    CString path = change->itemNew.hItem ? TreeItemPath(*tree, change->itemNew.hItem) : CString(u"none");
    selections.push_back(path + (change->action == TVC_BYMOUSE ? u" (mouse)" : u" (program)"));
    *result = 0;
}

void CTreeDlg::OnTreeClick(NMHDR*, LRESULT* result) {
    CTreeCtrl* tree = static_cast<CTreeCtrl*>(GetDlgItem(1201));
    DWORD position = GetMessagePos();
    CPoint point(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    tree->ScreenToClient(&point);
    HTREEITEM hit = tree->HitTest(point);
    HTREEITEM selected = tree->GetSelectedItem();
    clickSaw.push_back((selected ? tree->GetItemText(selected) : CString(u"none")) + u" / " + (hit ? tree->GetItemText(hit) : CString(u"none")));
    *result = 0;
}

void CTreeDlg::OnListPick() {
    CListBox* box = static_cast<CListBox*>(GetDlgItem(1202));
    CString text;
    box->GetText(box->GetCurSel(), text);
    listPicks.push_back(text);
}

void CTreeDlg::OnComboPick() {
    CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(1203));
    CString text;
    combo->GetLBText(combo->GetCurSel(), text);
    comboPicks.push_back(text);
}

BEGIN_MESSAGE_MAP(CTreeDlg, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, 1201, &CTreeDlg::OnSelChanged)
    ON_NOTIFY(NM_CLICK, 1201, &CTreeDlg::OnTreeClick)
    ON_LBN_SELCHANGE(1202, &CTreeDlg::OnListPick)
    ON_CBN_SELCHANGE(1203, &CTreeDlg::OnComboPick)
END_MESSAGE_MAP()
