#include "host/wx_backend/drawn_list_view.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include "host/user_input/control_view.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/window_record.h"
#include "host/wx_backend/wx_text.h"

namespace {

int Alignment(int format) {
    if ((format & 3) == LVCFMT_CENTER) return wxALIGN_CENTER;
    if ((format & 3) == LVCFMT_RIGHT) return wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    return wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL;
}

void DrawCellText(wxDC& dc, const CString& text, const wxRect& cell, int format) {
    wxRect inside = cell;
    inside.Deflate(3, 0);
    dc.DestroyClippingRegion();
    dc.SetClippingRegion(inside);
    dc.DrawLabel(ToWx(text), inside, Alignment(format));
    dc.DestroyClippingRegion();
}

}  // namespace

void DrawnListView::PaintContent(wxDC& dc, const WindowRecord& record) {
    ControlView<CListCtrl> list(record.handle);
    const int header = ListHeaderHeight(record.font);
    const int rowHeight = ListRowHeight(record.font);
    const int columns = list->GetColumnCount();
    const CRect client = ClientRectOf(record);
    const bool gridLines = (list->GetExtendedStyle() & LVS_EX_GRIDLINES) != 0;
    const bool fullRow = (list->GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const wxColour grid = wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT);

    std::vector<int> lefts(1, 0);
    for (int c = 0; c < columns; ++c) lefts.push_back(lefts.back() + list->GetColumnWidth(c));

    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)));
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(Screen(CRect(0, 0, client.Width(), header)));
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    for (int c = 0; c < columns; ++c) {
        const wxRect cell = Screen(CRect(lefts[c], 0, lefts[c + 1], header));
        dc.DrawLine(cell.GetRight(), cell.GetTop(), cell.GetRight(), cell.GetBottom() + 1);
        DrawCellText(dc, list->GetColumnHeading(c), cell, list->GetColumnFormat(c));
    }

    const int count = list->GetItemCount();
    const int top = list->GetTopIndex();
    const int rowsShown = (client.Height() - header) / rowHeight + 1;
    for (int row = top; row < count && row <= top + rowsShown; ++row) {
        const int y = header + (row - top) * rowHeight;
        const bool selected = (list->GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if (selected) {
            const int right = fullRow ? lefts.back() : (columns > 0 ? lefts[1] : client.Width());
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
            dc.DrawRectangle(Screen(CRect(0, y, right, y + rowHeight)));
        }
        for (int c = 0; c < std::max(columns, 1); ++c) {
            const bool highlighted = selected && (fullRow || c == 0);
            dc.SetTextForeground(highlighted ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT) : text);
            const int right = columns > 0 ? lefts[c + 1] : client.Width();
            DrawCellText(dc, list->GetItemText(row, c), Screen(CRect(lefts[c], y, right, y + rowHeight)),
                         columns > 0 ? list->GetColumnFormat(c) : LVCFMT_LEFT);
        }
        if (gridLines) {
            dc.SetPen(wxPen(grid));
            const wxRect line = Screen(CRect(0, y, lefts.back(), y + rowHeight));
            dc.DrawLine(line.GetLeft(), line.GetBottom(), line.GetRight() + 1, line.GetBottom());
        }
    }
    if (gridLines) {
        dc.SetPen(wxPen(grid));
        const int bottom = header + std::max(0, std::min(count - top, rowsShown)) * rowHeight;
        for (int c = 1; c <= columns; ++c) {
            const wxRect column = Screen(CRect(lefts[c - 1], header, lefts[c], bottom));
            dc.DrawLine(column.GetRight(), column.GetTop(), column.GetRight(), column.GetBottom() + 1);
        }
    }
    if (count > rowsShown - 1 && count > 0) {  // where the shown rows stand in the whole list
        const int track = client.Height() - header;
        const int thumb = std::max(8, track * std::max(1, rowsShown - 1) / count);
        const int at = header + (track - thumb) * top / std::max(1, count - (rowsShown - 1));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)));
        dc.DrawRectangle(Screen(CRect(client.Width() - 4, at, client.Width(), at + thumb)));
    }
}

void DrawnListView::ScrollRows(int rows) {
    ControlView<CListCtrl> list(Control());
    const int count = list->GetItemCount();
    if (count == 0) return;
    const int top = list->GetTopIndex();
    const int target = rows < 0 ? std::max(0, top + rows) : std::min(count - 1, top + list->GetCountPerPage() - 1 + rows);
    list->EnsureVisible(target, FALSE);
}
