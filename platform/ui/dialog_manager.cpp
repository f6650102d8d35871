#include "platform/ui/dialog_manager.h"

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/wnd.h"

namespace {

class DialogState : public ControlState {
public:
    explicit DialogState(int defaultId) : defaultId(defaultId) {}

    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            PressCommand(window, IDCANCEL);
            return 0;
        }
        return CommonDefaultProc(window, message, wParam, lParam);
    }

    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CWnd>(); }

    /// Sends the command of the button with the identifier, as pressing it does; nothing when that
    /// button exists and is disabled.
    static void PressCommand(WindowRecord& dialog, int id) {
        HWND button = nullptr;
        for (WindowRecord* child : dialog.children)
            if (child->id == id && child->kind == ControlKind::kButton) {
                if (child->HasStyle(WS_DISABLED)) return;
                button = child->handle;
                break;
            }
        SendMessage(dialog.handle, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }

    int defaultId;
};

/// The dialog's direct child that holds the window, or null.
WindowRecord* ChildHolding(WindowRecord& dialog, WindowRecord* window) {
    for (; window && window->parent; window = window->parent)
        if (window->parent == &dialog) return window;
    return nullptr;
}

bool IsTabStop(const WindowRecord& control) {
    return control.HasStyle(WS_TABSTOP | WS_VISIBLE) && !control.HasStyle(WS_DISABLED);
}

}  // namespace

std::unique_ptr<ControlState> MakeDialogState(int defaultId) { return std::make_unique<DialogState>(defaultId); }

int DialogDefaultId(const WindowRecord& dialog) {
    const DialogState* state = dynamic_cast<const DialogState*>(dialog.state.get());
    return state ? state->defaultId : 0;
}

HWND NextTabStop(WindowRecord& dialog, HWND from) {
    const std::vector<WindowRecord*>& controls = dialog.children;
    WindowRecord* current = ChildHolding(dialog, FindWindowRecord(from));
    size_t start = 0;
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == current) start = i + 1;
    for (size_t n = 0; n < controls.size(); ++n) {
        WindowRecord* candidate = controls[(start + n) % controls.size()];
        if (IsTabStop(*candidate)) return candidate->handle;
    }
    return nullptr;
}

void FocusDialogControl(HWND control) {
    SetFocus(control);
    const WindowRecord* record = FindWindowRecord(control);
    if (record && record->kind == ControlKind::kEdit && GetFocus() == control) SendMessage(control, EM_SETSEL, 0, -1);
}

bool HandleDialogKey(WindowRecord& dialog, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    WindowRecord* focus = FindWindowRecord(GetFocus());
    if (focus && !IsSelfOrDescendant(focus, &dialog)) focus = nullptr;
    switch (message.wParam) {
        case VK_TAB:
            if (HWND next = NextTabStop(dialog, focus ? focus->handle : nullptr)) FocusDialogControl(next);
            return true;
        case VK_RETURN:
            if (focus && focus->kind == ControlKind::kEdit && focus->HasStyle(ES_MULTILINE | ES_WANTRETURN)) return false;
            if (focus && focus->parent == &dialog && IsPushButton(*focus)) {
                DialogState::PressCommand(dialog, focus->id);
                return true;
            }
            DialogState::PressCommand(dialog, DialogDefaultId(dialog) ? DialogDefaultId(dialog) : IDOK);
            return true;
        case VK_ESCAPE:
            DialogState::PressCommand(dialog, IDCANCEL);
            return true;
        default:
            return false;
    }
}
