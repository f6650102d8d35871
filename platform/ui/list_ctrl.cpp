#include "platform/ui/list_ctrl.h"

#include <algorithm>
#include <vector>

#include "platform/ui/window_record.h"

namespace {

struct ListColumn {
    CString heading;
    int format = LVCFMT_LEFT;
    int width = 0;
};

struct ListItem {
    std::vector<CString> cells;  ///< cells[0] is the item's text
    UINT state = 0;
    DWORD_PTR data = 0;
};

class ListViewState : public ControlState {
public:
    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override;
    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CListCtrl>(); }

    // Geometry, in client coordinates of the window.
    int RowTop(const WindowRecord& window, int index) const {
        return ListHeaderHeight(window.font) + (index - top) * ListRowHeight(window.font);
    }
    int ColumnLeft(int column) const {
        int left = 0;
        for (int c = 0; c < column; ++c) left += columns[c].width;
        return left;
    }
    int TotalWidth() const { return ColumnLeft(static_cast<int>(columns.size())); }
    int CountPerPage(const WindowRecord& window) const {
        int rows = (ClientRectOf(window).Height() - ListHeaderHeight(window.font)) / ListRowHeight(window.font);
        return std::max(rows, 1);
    }
    CRect CellRect(const WindowRecord& window, int index, int column) const {
        int left = ColumnLeft(column);
        int width = column < static_cast<int>(columns.size()) ? columns[column].width : 0;
        int rowTop = RowTop(window, index);
        return CRect(left, rowTop, left + width, rowTop + ListRowHeight(window.font));
    }
    /// The row under the point, whatever the column, or -1.
    int RowAt(const WindowRecord& window, CPoint point) const {
        if (!ClientRectOf(window).PtInRect(point)) return -1;
        int offset = point.y - ListHeaderHeight(window.font);
        if (offset < 0) return -1;
        int row = top + offset / ListRowHeight(window.font);
        return row < static_cast<int>(items.size()) ? row : -1;
    }
    int ColumnAt(int x) const {
        int left = 0;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (x >= left && x < left + columns[c].width) return static_cast<int>(c);
            left += columns[c].width;
        }
        return -1;
    }
    /// The item a click at the point selects: on its column-0 cell, or anywhere on the row with
    /// full-row selection.
    int ItemAt(const WindowRecord& window, CPoint point) const {
        int row = RowAt(window, point);
        if (row < 0) return -1;
        int column = ColumnAt(point.x);
        if (column == 0 || (column > 0 && (exStyle & LVS_EX_FULLROWSELECT))) return row;
        return -1;
    }

    bool IsValid(int index) const { return index >= 0 && index < static_cast<int>(items.size()); }

    void SetState(const WindowRecord& window, int index, UINT state, UINT mask) {
        ListItem& item = items[index];
        if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && window.HasStyle(LVS_SINGLESEL))
            for (ListItem& other : items) other.state &= ~LVIS_SELECTED;
        if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED))
            for (ListItem& other : items) other.state &= ~LVIS_FOCUSED;
        item.state = (item.state & ~mask) | (state & mask);
    }

    void ClampTop(const WindowRecord& window) {
        int last = std::max(0, static_cast<int>(items.size()) - CountPerPage(window));
        top = std::clamp(top, 0, last);
    }

    std::vector<ListColumn> columns;
    std::vector<ListItem> items;
    DWORD exStyle = 0;
    int mark = -1;
    int top = 0;

private:
    void Click(WindowRecord& window, CPoint point, UINT keys);
    void RightClick(WindowRecord& window, CPoint point);
    LRESULT Notify(WindowRecord& window, UINT code, CPoint point, UINT keys);

    bool leftPressed_ = false;
    bool rightPressed_ = false;
};

LRESULT ListViewState::DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) {
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    UINT keys = static_cast<UINT>(wParam);
    HWND self = window.handle;
    switch (message) {
        case WM_LBUTTONDOWN:
            SetFocus(self);
            if (WindowRecord* record = FindWindowRecord(self)) Click(*record, point, keys);
            leftPressed_ = true;
            return 0;
        case WM_LBUTTONUP:
            if (leftPressed_) {
                leftPressed_ = false;
                Notify(window, NM_CLICK, point, keys);
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            // The first click of the pair selected already; the focus stays where that click's
            // handling put it (an editor opened over a cell keeps it).
            Notify(window, NM_DBLCLK, point, keys);
            return 0;
        case WM_RBUTTONDOWN:
            SetFocus(self);
            if (WindowRecord* record = FindWindowRecord(self)) RightClick(*record, point);
            rightPressed_ = true;
            return 0;
        case WM_RBUTTONUP:
            if (rightPressed_) {
                rightPressed_ = false;
                if (Notify(window, NM_RCLICK, point, keys) == 0 && FindWindowRecord(self)) {
                    CPoint screen = ClientOriginOnScreen(window);
                    SendMessage(self, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(self), MAKELPARAM(screen.x + point.x, screen.y + point.y));
                }
            }
            return 0;
        default:
            return CommonDefaultProc(window, message, wParam, lParam);
    }
}

void ListViewState::Click(WindowRecord& window, CPoint point, UINT keys) {
    int item = ItemAt(window, point);
    bool adding = (keys & MK_CONTROL) && !window.HasStyle(LVS_SINGLESEL);
    if (item < 0) {
        if (!adding)
            for (ListItem& each : items) each.state &= ~LVIS_SELECTED;
        return;
    }
    if (adding) {
        SetState(window, item, items[item].state ^ LVIS_SELECTED, LVIS_SELECTED);
    } else {
        for (ListItem& each : items) each.state &= ~LVIS_SELECTED;
        SetState(window, item, LVIS_SELECTED, LVIS_SELECTED);
    }
    SetState(window, item, LVIS_FOCUSED, LVIS_FOCUSED);
    mark = item;
}

void ListViewState::RightClick(WindowRecord& window, CPoint point) {
    int item = ItemAt(window, point);
    if (item < 0) return;
    if (!(items[item].state & LVIS_SELECTED)) {
        for (ListItem& each : items) each.state &= ~LVIS_SELECTED;
        SetState(window, item, LVIS_SELECTED, LVIS_SELECTED);
    }
    SetState(window, item, LVIS_FOCUSED, LVIS_FOCUSED);
    mark = item;
}

LRESULT ListViewState::Notify(WindowRecord& window, UINT code, CPoint point, UINT keys) {
    NMITEMACTIVATE activate;
    int row = RowAt(window, point);
    int column = ColumnAt(point.x);
    activate.iItem = row >= 0 && column >= 0 ? row : -1;
    activate.iSubItem = column >= 0 ? column : 0;
    activate.ptAction = point;
    activate.uKeyFlags = keys;
    if (activate.iItem >= 0) activate.lParam = static_cast<LPARAM>(items[activate.iItem].data);
    return NotifyParent(window, activate.hdr, code);
}

ListViewState* StateOf(HWND window, WindowRecord** record = nullptr) {
    WindowRecord* found = FindWindowRecord(window);
    if (record) *record = found;
    return found ? dynamic_cast<ListViewState*>(found->state.get()) : nullptr;
}

}  // namespace

int ListHeaderHeight(const SFontMetrics& font) { return font.charHeight + 8; }
int ListRowHeight(const SFontMetrics& font) { return font.charHeight + 4; }

std::unique_ptr<ControlState> MakeListViewState() { return std::make_unique<ListViewState>(); }

int CListCtrl::InsertColumn(int column, const CString& heading, int format, int width, int) {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || column < 0) return -1;
    column = std::min(column, static_cast<int>(state->columns.size()));
    state->columns.insert(state->columns.begin() + column, ListColumn{heading, format, std::max(width, 0)});
    // Sub-item texts belong to the columns after the first: an inserted column gets empty cells.
    if (column > 0)
        for (ListItem& item : state->items)
            if (static_cast<int>(item.cells.size()) > column) item.cells.insert(item.cells.begin() + column, CString());
    return column;
}

int CListCtrl::GetColumnWidth(int column) const {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || column < 0 || column >= static_cast<int>(state->columns.size())) return 0;
    return state->columns[column].width;
}

int CListCtrl::GetColumnCount() const {
    ListViewState* state = StateOf(m_hWnd);
    return state ? static_cast<int>(state->columns.size()) : 0;
}

CString CListCtrl::GetColumnHeading(int column) const {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || column < 0 || column >= static_cast<int>(state->columns.size())) return CString();
    return state->columns[column].heading;
}

int CListCtrl::GetColumnFormat(int column) const {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || column < 0 || column >= static_cast<int>(state->columns.size())) return LVCFMT_LEFT;
    return state->columns[column].format;
}

DWORD CListCtrl::GetExtendedStyle() const {
    ListViewState* state = StateOf(m_hWnd);
    return state ? state->exStyle : 0;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    ListViewState* state = StateOf(m_hWnd);
    if (!state) return 0;
    DWORD previous = state->exStyle;
    state->exStyle = exStyle;
    return previous;
}

int CListCtrl::InsertItem(int index, const CString& text) {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || index < 0) return -1;
    index = std::min(index, static_cast<int>(state->items.size()));
    ListItem item;
    item.cells.push_back(text);
    state->items.insert(state->items.begin() + index, std::move(item));
    if (state->mark >= index) ++state->mark;
    return index;
}

BOOL CListCtrl::DeleteItem(int index) {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    if (!state || !state->IsValid(index)) return FALSE;
    state->items.erase(state->items.begin() + index);
    if (state->mark == index) state->mark = -1;
    else if (state->mark > index) --state->mark;
    state->ClampTop(*record);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    ListViewState* state = StateOf(m_hWnd);
    if (!state) return FALSE;
    state->items.clear();
    state->mark = -1;
    state->top = 0;
    return TRUE;
}

int CListCtrl::GetItemCount() const {
    ListViewState* state = StateOf(m_hWnd);
    return state ? static_cast<int>(state->items.size()) : 0;
}

BOOL CListCtrl::SetItemText(int index, int subItem, const CString& text) {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || !state->IsValid(index) || subItem < 0) return FALSE;
    if (subItem > 0 && subItem >= static_cast<int>(state->columns.size())) return FALSE;
    std::vector<CString>& cells = state->items[index].cells;
    if (static_cast<int>(cells.size()) <= subItem) cells.resize(static_cast<size_t>(subItem) + 1);
    cells[subItem] = text;
    return TRUE;
}

CString CListCtrl::GetItemText(int index, int subItem) const {
    ListViewState* state = StateOf(m_hWnd);
    if (!state || !state->IsValid(index) || subItem < 0) return CString();
    const std::vector<CString>& cells = state->items[index].cells;
    return subItem < static_cast<int>(cells.size()) ? cells[subItem] : CString();
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    WindowRecord* record = nullptr;
    ListViewState* list = StateOf(m_hWnd, &record);
    if (!list) return FALSE;
    if (index == -1) {
        for (size_t i = 0; i < list->items.size(); ++i) list->SetState(*record, static_cast<int>(i), state, mask);
        return TRUE;
    }
    if (!list->IsValid(index)) return FALSE;
    list->SetState(*record, index, state, mask);
    return TRUE;
}

UINT CListCtrl::GetItemState(int index, UINT mask) const {
    ListViewState* state = StateOf(m_hWnd);
    return state && state->IsValid(index) ? state->items[index].state & mask : 0;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : PositionFromIndex(first);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    int index = IndexFromPosition(pos);
    int next = GetNextItem(index, LVNI_SELECTED);
    pos = next < 0 ? nullptr : PositionFromIndex(next);
    return index;
}

int CListCtrl::GetNextItem(int start, int flags) const {
    ListViewState* state = StateOf(m_hWnd);
    if (!state) return -1;
    UINT wanted = 0;
    if (flags & LVNI_SELECTED) wanted |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED) wanted |= LVIS_FOCUSED;
    for (int i = std::max(start + 1, 0); i < static_cast<int>(state->items.size()); ++i)
        if ((state->items[i].state & wanted) == wanted) return i;
    return -1;
}

int CListCtrl::GetSelectionMark() const {
    ListViewState* state = StateOf(m_hWnd);
    return state ? state->mark : -1;
}

int CListCtrl::SetSelectionMark(int index) {
    ListViewState* state = StateOf(m_hWnd);
    if (!state) return -1;
    int previous = state->mark;
    state->mark = index;
    return previous;
}

BOOL CListCtrl::EnsureVisible(int index, BOOL) {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    if (!state || !state->IsValid(index)) return FALSE;
    int perPage = state->CountPerPage(*record);
    if (index < state->top) state->top = index;
    else if (index >= state->top + perPage) state->top = index - perPage + 1;
    return TRUE;
}

int CListCtrl::GetTopIndex() const {
    ListViewState* state = StateOf(m_hWnd);
    return state ? state->top : 0;
}

int CListCtrl::GetCountPerPage() const {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    return state ? state->CountPerPage(*record) : 0;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    if (!state || !rect || !state->IsValid(index)) return FALSE;
    CRect cell = state->CellRect(*record, index, 0);
    if (code == LVIR_BOUNDS) cell.right = cell.left + state->TotalWidth();
    *rect = cell;
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int area, CRect& rect) const {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    if (!state || !state->IsValid(index) || subItem < 0 || subItem >= std::max(1, static_cast<int>(state->columns.size()))) return FALSE;
    rect = state->CellRect(*record, index, subItem);
    if (subItem == 0 && area == static_cast<int>(LVIR_BOUNDS)) rect.right = rect.left + state->TotalWidth();
    return TRUE;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info;
    info.pt = point;
    int item = HitTest(&info);
    if (flags) *flags = info.flags;
    return item;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    if (!info) return -1;
    info->iItem = state ? state->ItemAt(*record, info->pt) : -1;
    info->iSubItem = 0;
    info->flags = info->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    return info->iItem;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO info) const {
    WindowRecord* record = nullptr;
    ListViewState* state = StateOf(m_hWnd, &record);
    if (!info) return -1;
    int row = state ? state->RowAt(*record, info->pt) : -1;
    int column = state ? state->ColumnAt(info->pt.x) : -1;
    info->iItem = row >= 0 && column >= 0 ? row : -1;
    info->iSubItem = column >= 0 ? column : 0;
    info->flags = info->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    return info->iItem;
}
