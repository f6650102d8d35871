#include "platform/ui/button.h"

#include <vector>

#include "platform/ui/window_record.h"

namespace {

DWORD ButtonType(const WindowRecord& window) { return window.style & BS_TYPEMASK; }

/// The radio buttons of the button's group, the button included.
std::vector<HWND> RadioGroupOf(const WindowRecord& button) {
    std::vector<HWND> group;
    if (!button.parent) return group;
    const std::vector<WindowRecord*>& siblings = button.parent->children;
    size_t at = 0;
    while (siblings[at] != &button) ++at;
    size_t first = at;
    while (first > 0 && !siblings[first]->HasStyle(WS_GROUP)) --first;
    for (size_t i = first; i < siblings.size(); ++i) {
        if (i > first && siblings[i]->HasStyle(WS_GROUP)) break;
        if (IsRadioButton(*siblings[i])) group.push_back(siblings[i]->handle);
    }
    return group;
}

class ButtonState : public ControlState {
public:
    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case BM_GETCHECK:
                return checked_;
            case BM_SETCHECK:
                if (ButtonType(window) != BS_PUSHBUTTON && ButtonType(window) != BS_DEFPUSHBUTTON) checked_ = static_cast<int>(wParam);
                return 0;
            case BM_SETSTYLE:
                window.style = (window.style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
                return 0;
            case BM_CLICK:
                Click(window);
                return 0;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:  // a second click, not a double click, for a button
                if (ButtonType(window) == BS_GROUPBOX) return 0;
                pressed_ = true;
                SetFocus(window.handle);
                return 0;
            case WM_LBUTTONUP:
                if (pressed_) {
                    pressed_ = false;
                    Click(window);
                }
                return 0;
            default:
                return CommonDefaultProc(window, message, wParam, lParam);
        }
    }

    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CButton>(); }

    bool LetsClicksThrough(const WindowRecord& window) const override { return ButtonType(window) == BS_GROUPBOX; }

private:
    void Click(WindowRecord& window) {
        HWND self = window.handle;
        if (ButtonType(window) == BS_AUTOCHECKBOX) checked_ = checked_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        if (ButtonType(window) == BS_AUTORADIOBUTTON)
            for (HWND member : RadioGroupOf(window)) SendMessage(member, BM_SETCHECK, member == self ? BST_CHECKED : BST_UNCHECKED);
        if (WindowRecord* record = FindWindowRecord(self)) NotifyParentCommand(*record, BN_CLICKED);
    }

    int checked_ = BST_UNCHECKED;
    bool pressed_ = false;
};

}  // namespace

std::unique_ptr<ControlState> MakeButtonState() { return std::make_unique<ButtonState>(); }

bool IsRadioButton(const WindowRecord& window) {
    return window.kind == ControlKind::kButton && (ButtonType(window) == BS_AUTORADIOBUTTON || ButtonType(window) == BS_RADIOBUTTON);
}

bool IsPushButton(const WindowRecord& window) {
    return window.kind == ControlKind::kButton && (ButtonType(window) == BS_PUSHBUTTON || ButtonType(window) == BS_DEFPUSHBUTTON);
}

int CButton::GetCheck() const { return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK)); }
