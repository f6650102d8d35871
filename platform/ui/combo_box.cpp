#include "platform/ui/combo_box.h"

#include <algorithm>
#include <vector>

#include "platform/ui/edit.h"
#include "platform/ui/ui_text_order.h"
#include "platform/ui/window_record.h"

namespace {

class ComboBoxState : public ControlState {
public:
    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_LBUTTONDOWN:
                SetFocus(window.handle);
                return 0;
            case kComboPickMessage:
                Pick(window.handle, static_cast<int>(wParam));
                return 0;
            case EM_SETSEL:
                editStart_ = static_cast<int>(static_cast<intptr_t>(wParam));
                editEnd_ = static_cast<int>(lParam);
                return 0;
            case WM_PASTE:
                if ((window.style & 0x3) == CBS_DROPDOWN) Paste(window);
                return 0;
            default:
                return CommonDefaultProc(window, message, wParam, lParam);
        }
    }

    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CComboBox>(); }

    bool IsValid(int index) const { return index >= 0 && index < static_cast<int>(items.size()); }

    template <typename Match>
    int Find(int start, Match match) const {
        int count = static_cast<int>(items.size());
        if (count == 0) return CB_ERR;
        int first = start < 0 || start >= count ? 0 : start + 1;
        for (int n = 0; n < count; ++n) {
            int index = (first + n) % count;
            if (match(items[index])) return index;
        }
        return CB_ERR;
    }

    std::vector<CString> items;
    int selected = -1;

private:
    void Pick(HWND self, int index) {
        if (!IsValid(index)) return;
        selected = index;
        CString text = items[index];
        if (WindowRecord* record = FindWindowRecord(self)) NotifyParentCommand(*record, CBN_SELCHANGE);
        if (WindowRecord* record = FindWindowRecord(self)) {
            record->text = text;
            NotifyParentCommand(*record, CBN_SELENDOK);
        }
    }

    void Paste(WindowRecord& window) {
        int length = window.text.GetLength();
        int end = editEnd_ < 0 || editEnd_ > length ? length : editEnd_;
        int start = std::clamp(editStart_, 0, end);
        CString pasted = GetClipboardText();
        int lineEnd = pasted.FindOneOf(u"\r\n");
        if (lineEnd >= 0) pasted = pasted.Left(lineEnd);
        window.text = window.text.Left(start) + pasted + window.text.Mid(end);
        editStart_ = editEnd_ = start + pasted.GetLength();
        selected = -1;
        NotifyParentCommand(window, CBN_EDITCHANGE);
    }

    int editStart_ = 0;
    int editEnd_ = 0;
};

ComboBoxState* StateOf(HWND window, WindowRecord** record = nullptr) {
    WindowRecord* found = FindWindowRecord(window);
    if (record) *record = found;
    return found ? dynamic_cast<ComboBoxState*>(found->state.get()) : nullptr;
}

}  // namespace

int ComboClosedHeight(const SFontMetrics& font) { return font.charHeight + 8; }

std::unique_ptr<ControlState> MakeComboBoxState() { return std::make_unique<ComboBoxState>(); }

int CComboBox::AddString(const CString& text) { return InsertString(-1, text); }

int CComboBox::InsertString(int index, const CString& text) {
    ComboBoxState* state = StateOf(m_hWnd);
    if (!state || index < -1 || index > static_cast<int>(state->items.size())) return CB_ERR;
    if (index == -1) index = static_cast<int>(state->items.size());
    state->items.insert(state->items.begin() + index, text);
    if (state->selected >= index) ++state->selected;
    return index;
}

void CComboBox::ResetContent() {
    WindowRecord* record = nullptr;
    if (ComboBoxState* state = StateOf(m_hWnd, &record)) {
        state->items.clear();
        state->selected = -1;
        record->text.Empty();
    }
}

int CComboBox::GetCount() const {
    ComboBoxState* state = StateOf(m_hWnd);
    return state ? static_cast<int>(state->items.size()) : 0;
}

int CComboBox::GetCurSel() const {
    ComboBoxState* state = StateOf(m_hWnd);
    return state ? state->selected : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
    WindowRecord* record = nullptr;
    ComboBoxState* state = StateOf(m_hWnd, &record);
    if (!state) return CB_ERR;
    if (!state->IsValid(index)) {
        state->selected = -1;
        record->text.Empty();
        return CB_ERR;
    }
    state->selected = index;
    record->text = state->items[index];
    return index;
}

int CComboBox::GetLBText(int index, CString& text) const {
    ComboBoxState* state = StateOf(m_hWnd);
    if (!state || !state->IsValid(index)) {
        text.Empty();
        return CB_ERR;
    }
    text = state->items[index];
    return text.GetLength();
}

int CComboBox::FindString(int start, const CString& prefix) const {
    ComboBoxState* state = StateOf(m_hWnd);
    if (!state) return CB_ERR;
    return state->Find(start, [&](const CString& item) { return StartsWithNoCase(item.view(), prefix.view()); });
}

int CComboBox::FindStringExact(int start, const CString& text) const {
    ComboBoxState* state = StateOf(m_hWnd);
    if (!state) return CB_ERR;
    return state->Find(start, [&](const CString& item) { return item.CompareNoCase(text) == 0; });
}

int CComboBox::SelectString(int start, const CString& prefix) {
    int found = FindString(start, prefix);
    if (found != CB_ERR) SetCurSel(found);
    return found;
}
