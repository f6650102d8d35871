#include "host/wx_backend/drawn_tree_view.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/settings.h>

#include "host/user_input/control_view.h"
#include "platform/ui/window_record.h"
#include "host/wx_backend/wx_text.h"

namespace {

void AddShown(const CTreeCtrl& tree, HTREEITEM parent, std::vector<HTREEITEM>& shown) {
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item)) {
        shown.push_back(item);
        if (tree.ItemHasChildren(item) && (tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED)) AddShown(tree, item, shown);
    }
}

/// The square box with a minus or a plus, in this window's pixels.
void DrawExpandButton(wxDC& dc, const wxRect& box, bool expanded) {
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(box);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
    const int margin = std::max(2, box.width / 4);
    const wxPoint middle(box.x + box.width / 2, box.y + box.height / 2);
    dc.DrawLine(box.x + margin, middle.y, box.GetRight() - margin + 1, middle.y);
    if (!expanded) dc.DrawLine(middle.x, box.y + margin, middle.x, box.GetBottom() - margin + 1);
}

}  // namespace

std::vector<HTREEITEM> ShownTreeItems(const CTreeCtrl& tree) {
    std::vector<HTREEITEM> shown;
    AddShown(tree, TVI_ROOT, shown);
    return shown;
}

void DrawnTreeView::PaintContent(wxDC& dc, const WindowRecord& record) {
    ControlView<CTreeCtrl> tree(record.handle);
    const CRect client = ClientRectOf(record);
    const HTREEITEM selected = tree->GetSelectedItem();
    const bool buttons = record.HasStyle(TVS_HASBUTTONS);
    for (HTREEITEM item : ShownTreeItems(*tree)) {
        CRect label;
        if (!tree->GetItemRect(item, &label, TRUE) || label.bottom < 0 || label.top > client.Height()) continue;
        if (buttons && tree->ItemHasChildren(item) && label.left >= TreeIndent) {
            const int size = 9;
            const int x = label.left - TreeIndent + (TreeIndent - size) / 2;
            const int y = (label.top + label.bottom) / 2 - size / 2;
            DrawExpandButton(dc, Screen(CRect(x, y, x + size, y + size)), (tree->GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0);
        }
        if (item == selected) {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
            dc.DrawRectangle(Screen(label));
            dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
        } else {
            dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
        }
        wxRect text = Screen(label);
        text.Deflate(2, 0);
        dc.DrawLabel(ToWx(tree->GetItemText(item)), text, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    }
}

void DrawnTreeView::ScrollRows(int rows) {
    ControlView<CTreeCtrl> tree(Control());
    const WindowRecord* record = FindWindowRecord(Control());
    if (!record) return;
    const std::vector<HTREEITEM> shown = ShownTreeItems(*tree);
    const int height = ClientRectOf(*record).Height();
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        CRect row;
        if (!tree->GetItemRect(shown[i], &row, FALSE)) continue;
        if (first < 0 && row.top >= 0) first = i;
        if (row.bottom <= height) last = i;
    }
    if (first < 0) return;
    const int target = rows < 0 ? std::max(0, first + rows) : std::min(static_cast<int>(shown.size()) - 1, last + rows);
    tree->EnsureVisible(shown[target]);
}
