#include "import/edit_enable_list_ctrl.h"

#include "core/text_tables.h"
#include "import/db_file_info_derivation.h"

namespace {

constexpr int kColumnCount = 4;
/// The headings are stored from the path column down to the block name column.
int HeadingEntryOf(int column) { return kColumnCount - 1 - column; }

/// Puts the caret at the end of the text without selecting anything.
constexpr int kCaretAtEnd = 65535;

/// The font of every in-place edit: made anew each time an edit is created, shared by all of them.
CFont& SharedEditFont() {
    static CFont font;
    return font;
}

}  // namespace

void CEditEnableListCtrl::SetUpColumns() {
    CRect client;
    GetClientRect(&client);
    const int width = client.Width() / kColumnCount;
    for (int column = 0; column < kColumnCount; ++column)
        InsertColumn(column, Text(kBlockListHeadings, HeadingEntryOf(column)), LVCFMT_CENTER, width);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
}

int CEditEnableListCtrl::AddFiles(const std::vector<CString>& paths, CString* failedPath) {
    return AddDbFiles(files_, paths, failedPath);
}

void CEditEnableListCtrl::RemoveFiles(const std::vector<CString>& paths) {
    for (const CString& path : paths) files_.erase(path);
    Redraw();
}

int CEditEnableListCtrl::CopyOut(DbFileMap& target) const {
    target = files_;
    return 1;
}

void CEditEnableListCtrl::Redraw() {
    DeleteAllItems();
    int row = 0;
    for (const auto& [path, info] : files_) {
        InsertItem(row, info.BlockName);
        SetItemText(row, kFileNameColumn, info.FileName);
        SetItemText(row, kBlockTitleColumn, info.BlockTitle);
        SetItemText(row, kPathColumn, info.Path);
        ++row;
    }
}

void CEditEnableListCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
    LVHITTESTINFO hit;
    hit.pt = point;
    SubItemHitTest(&hit);
    editRow_ = hit.iItem;
    editColumn_ = hit.iSubItem;
    // Only a block name can be edited; a double-click elsewhere is swallowed.
    if (editRow_ < 0 || editColumn_ != kBlockNameColumn) return;
    CRect cell;
    GetItemRect(editRow_, &cell, LVIR_LABEL);
    BeginCellEdit(cell);
    CListCtrl::OnLButtonDblClk(flags, point);
}

void CEditEnableListCtrl::BeginCellEdit(const CRect& cell) {
    if (!edit_.GetSafeHwnd()) {
        edit_.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), this, kCellEditId);
        SharedEditFont().CreatePointFont(95, u"宋体");
        edit_.SetFont(&SharedEditFont(), TRUE);
    }
    oldText_ = GetItemText(editRow_, editColumn_);
    edit_.MoveWindow(&cell);
    edit_.ShowWindow(SW_SHOW);
    edit_.SetWindowText(oldText_);
    edit_.SetFocus();
    edit_.SetSel(kCaretAtEnd, kCaretAtEnd);
    edit_.SendMessage(EM_SCROLLCARET);
}

LRESULT CEditEnableListCtrl::OnEndCellEdit(WPARAM, LPARAM) {
    edit_.GetWindowText(newText_);
    CommitCellEdit();
    edit_.ShowWindow(SW_HIDE);
    return 0;
}

void CEditEnableListCtrl::CommitCellEdit() {
    if (newText_ == oldText_) return;
    const auto record = files_.find(GetItemText(editRow_, kPathColumn));
    if (record == files_.end()) return;
    record->second.BlockName = newText_;
    Redraw();
}

BEGIN_MESSAGE_MAP(CEditEnableListCtrl, CListCtrl)
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(kEndCellEditMessage, &CEditEnableListCtrl::OnEndCellEdit)
END_MESSAGE_MAP()
