#include "platform/ui/list_box.h"

#include <algorithm>
#include <vector>

#include "platform/ui/ui_text_order.h"
#include "platform/ui/window_record.h"

namespace {

class ListBoxState : public ControlState {
public:
    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override {
        CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        switch (message) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                HWND self = window.handle;
                SetFocus(self);
                WindowRecord* record = FindWindowRecord(self);
                if (!record) return 0;
                int item = ItemAt(*record, point);
                if (item < 0) return 0;
                selected = item;
                NotifyParentCommand(*record, message == WM_LBUTTONDOWN ? LBN_SELCHANGE : LBN_DBLCLK);
                return 0;
            }
            default:
                return CommonDefaultProc(window, message, wParam, lParam);
        }
    }

    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CListBox>(); }

    int ItemAt(const WindowRecord& window, CPoint point) const {
        if (!ClientRectOf(window).PtInRect(point)) return -1;
        int item = top + point.y / ListBoxItemHeight(window.font);
        return item < static_cast<int>(items.size()) ? item : -1;
    }

    bool IsValid(int index) const { return index >= 0 && index < static_cast<int>(items.size()); }

    template <typename Match>
    int Find(int start, Match match) const {
        int count = static_cast<int>(items.size());
        if (count == 0) return LB_ERR;
        int first = start < 0 || start >= count ? 0 : start + 1;
        for (int n = 0; n < count; ++n) {
            int index = (first + n) % count;
            if (match(items[index])) return index;
        }
        return LB_ERR;
    }

    std::vector<CString> items;
    int selected = -1;
    int top = 0;
};

ListBoxState* StateOf(HWND window, WindowRecord** record = nullptr) {
    WindowRecord* found = FindWindowRecord(window);
    if (record) *record = found;
    return found ? dynamic_cast<ListBoxState*>(found->state.get()) : nullptr;
}

}  // namespace

int ListBoxItemHeight(const SFontMetrics& font) { return font.charHeight; }

std::unique_ptr<ControlState> MakeListBoxState() { return std::make_unique<ListBoxState>(); }

int CListBox::AddString(const CString& text) {
    WindowRecord* record = nullptr;
    ListBoxState* state = StateOf(m_hWnd, &record);
    if (!state) return LB_ERR;
    auto at = state->items.end();
    if (record->HasStyle(LBS_SORT))
        at = std::upper_bound(state->items.begin(), state->items.end(), text,
                              [](const CString& a, const CString& b) { return CompareUiText(a.view(), b.view()) < 0; });
    int index = static_cast<int>(at - state->items.begin());
    state->items.insert(at, text);
    if (state->selected >= index) ++state->selected;
    return index;
}

int CListBox::InsertString(int index, const CString& text) {
    ListBoxState* state = StateOf(m_hWnd);
    if (!state || index > static_cast<int>(state->items.size()) || index < -1) return LB_ERR;
    if (index == -1) index = static_cast<int>(state->items.size());
    state->items.insert(state->items.begin() + index, text);
    if (state->selected >= index) ++state->selected;
    return index;
}

void CListBox::ResetContent() {
    if (ListBoxState* state = StateOf(m_hWnd)) {
        state->items.clear();
        state->selected = -1;
        state->top = 0;
    }
}

int CListBox::GetCount() const {
    ListBoxState* state = StateOf(m_hWnd);
    return state ? static_cast<int>(state->items.size()) : 0;
}

int CListBox::GetText(int index, CString& text) const {
    ListBoxState* state = StateOf(m_hWnd);
    if (!state || !state->IsValid(index)) {
        text.Empty();
        return LB_ERR;
    }
    text = state->items[index];
    return text.GetLength();
}

int CListBox::GetCurSel() const {
    ListBoxState* state = StateOf(m_hWnd);
    return state ? state->selected : LB_ERR;
}

int CListBox::SetCurSel(int index) {
    ListBoxState* state = StateOf(m_hWnd);
    if (!state) return LB_ERR;
    if (!state->IsValid(index)) {
        state->selected = -1;
        return LB_ERR;
    }
    state->selected = index;
    return index;
}

int CListBox::FindString(int start, const CString& prefix) const {
    ListBoxState* state = StateOf(m_hWnd);
    if (!state) return LB_ERR;
    return state->Find(start, [&](const CString& item) { return StartsWithNoCase(item.view(), prefix.view()); });
}

int CListBox::FindStringExact(int start, const CString& text) const {
    ListBoxState* state = StateOf(m_hWnd);
    if (!state) return LB_ERR;
    return state->Find(start, [&](const CString& item) { return item.CompareNoCase(text) == 0; });
}

int CListBox::SelectString(int start, const CString& prefix) {
    int found = FindString(start, prefix);
    if (found != LB_ERR) SetCurSel(found);
    return found;
}

int CListBox::GetTopIndex() const {
    ListBoxState* state = StateOf(m_hWnd);
    return state ? state->top : 0;
}

int CListBox::SetTopIndex(int index) {
    ListBoxState* state = StateOf(m_hWnd);
    if (!state || !state->IsValid(index)) return LB_ERR;
    state->top = index;
    return 0;
}

int CListBox::GetItemRect(int index, LPRECT rect) const {
    WindowRecord* record = nullptr;
    ListBoxState* state = StateOf(m_hWnd, &record);
    if (!state || !rect || !state->IsValid(index)) return LB_ERR;
    int height = ListBoxItemHeight(record->font);
    *rect = CRect(0, (index - state->top) * height, ClientRectOf(*record).Width(), (index - state->top + 1) * height);
    return 0;
}
