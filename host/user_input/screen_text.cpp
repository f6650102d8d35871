#include "host/user_input/screen_text.h"

#include <algorithm>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "host/user_input/control_view.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/window_record.h"

namespace {

constexpr int kRowsShown = 8;

std::string Quoted(const CString& text) {
    std::string quoted = "\"";
    for (char ch : text.ToUtf8()) {
        if (ch == '\r') quoted += "\\r";
        else if (ch == '\n') quoted += "\\n";
        else if (ch == '\t') quoted += "\\t";
        else quoted += ch;
    }
    return quoted + "\"";
}

std::string RowText(const std::vector<CString>& cells) {
    std::string text;
    for (size_t i = 0; i < cells.size(); ++i) text += (i ? " | " : "") + Quoted(cells[i]);
    return text;
}

std::string DescribeButton(const WindowRecord& control) {
    DWORD type = control.style & BS_TYPEMASK;
    std::string kind = type == BS_GROUPBOX ? "group" : type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? "check box"
                                                     : IsRadioButton(control)                        ? "radio button"
                                                                                                     : "button";
    std::string text = kind + " " + Quoted(control.text);
    if (type != BS_GROUPBOX && !IsPushButton(control))
        text += SendMessage(control.handle, BM_GETCHECK) == BST_CHECKED ? " checked" : " unchecked";
    return text;
}

std::string DescribeList(const WindowRecord& control) {
    ListRowTexts rows = ListViewRows(control.handle);
    std::string text = "list, " + std::to_string(rows.size()) + " rows";
    ControlView<CListCtrl> list(control.handle);
    for (size_t i = 0; i < rows.size() && i < kRowsShown; ++i)
        text += std::string("\n      ") + (list->GetItemState(static_cast<int>(i), LVIS_SELECTED) ? "* " : "  ") + RowText(rows[i]);
    if (rows.size() > kRowsShown) text += "\n      ... " + std::to_string(rows.size() - kRowsShown) + " more";
    return text;
}

std::string DescribeTree(const WindowRecord& control) {
    ControlView<CTreeCtrl> tree(control.handle);
    HTREEITEM selected = tree->GetSelectedItem();
    return "tree, " + std::to_string(tree->GetCount()) + " items, selected " + (selected ? Quoted(TreeItemPath(*tree, selected)) : "none");
}

std::string DescribeListBox(const WindowRecord& control) {
    ControlView<CListBox> box(control.handle);
    CString selected;
    box->GetText(box->GetCurSel(), selected);
    return "list box, " + std::to_string(box->GetCount()) + " items, selected " + (box->GetCurSel() >= 0 ? Quoted(selected) : "none");
}

std::string DescribeControl(const WindowRecord& control) {
    switch (control.kind) {
        case ControlKind::kButton: return DescribeButton(control);
        case ControlKind::kEdit: return "edit " + Quoted(control.text) + (control.HasStyle(ES_READONLY) ? " (read-only)" : "");
        case ControlKind::kListView: return DescribeList(control);
        case ControlKind::kTreeView: return DescribeTree(control);
        case ControlKind::kListBox: return DescribeListBox(control);
        case ControlKind::kComboBox: return "combo box " + Quoted(control.text);
        default: return "label " + Quoted(control.text);
    }
}

void DescribeChildren(const WindowRecord& window, const std::string& indent, std::string& out) {
    for (const WindowRecord* child : window.children) {
        if (!child->HasStyle(WS_VISIBLE)) continue;
        out += "\n" + indent + "[" + std::to_string(child->id) + "] " + DescribeControl(*child);
        if (child->HasStyle(WS_DISABLED)) out += " (disabled)";
        if (child->handle == GetFocus()) out += " (focus)";
        DescribeChildren(*child, indent + "  ", out);
    }
}

}  // namespace

ListRowTexts ListViewRows(HWND listView) {
    ListRowTexts rows;
    const WindowRecord* record = FindWindowRecord(listView);
    if (!record || record->kind != ControlKind::kListView) return rows;
    ControlView<CListCtrl> list(listView);
    int columns = std::max(1, list->GetColumnCount());
    for (int i = 0; i < list->GetItemCount(); ++i) {
        std::vector<CString> cells;
        for (int c = 0; c < columns; ++c) cells.push_back(list->GetItemText(i, c));
        rows.push_back(std::move(cells));
    }
    return rows;
}

CString TreeItemPath(const CTreeCtrl& tree, HTREEITEM item) {
    std::vector<CString> texts;
    for (; item; item = tree.GetParentItem(item)) texts.push_back(tree.GetItemText(item));
    CString path;
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) path += (path.IsEmpty() ? CString() : CString(u"/")) + *it;
    return path;
}

std::string DescribeDialog(HWND dialog) {
    const WindowRecord* record = FindWindowRecord(dialog);
    if (!record) return "no dialog";
    std::string out = "dialog " + Quoted(record->text);
    DescribeChildren(*record, "  ", out);
    return out;
}
