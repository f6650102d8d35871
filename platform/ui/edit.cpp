#include "platform/ui/edit.h"

#include <algorithm>

#include "platform/ui/control_factory.h"
#include "platform/ui/window_record.h"

namespace {

CString& Clipboard() {
    static CString text;
    return text;
}

class EditState : public ControlState {
public:
    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_SETTEXT:
                window.text = lParam ? CString(reinterpret_cast<const char16_t*>(lParam)) : CString();
                start_ = end_ = 0;
                if (!window.HasStyle(ES_MULTILINE)) NotifyParentCommand(window, EN_CHANGE);
                return TRUE;
            case EM_GETSEL:
                if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start_);
                if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end_);
                return static_cast<LRESULT>(MAKELPARAM(start_, end_));
            case EM_SETSEL:
                Select(window, static_cast<int>(static_cast<intptr_t>(wParam)), static_cast<int>(lParam));
                return 0;
            case EM_REPLACESEL:
                Replace(window, lParam ? CString(reinterpret_cast<const char16_t*>(lParam)) : CString());
                return 0;
            case EM_SCROLLCARET:
                return TRUE;
            case EM_SETREADONLY:
                if (wParam) window.style |= ES_READONLY;
                else window.style &= ~ES_READONLY;
                return TRUE;
            case WM_PASTE:
                if (!window.HasStyle(ES_READONLY)) Replace(window, PastedText(window));
                return 0;
            case WM_KEYDOWN:
                if (wParam == VK_RETURN && window.HasStyle(ES_MULTILINE | ES_WANTRETURN) && !window.HasStyle(ES_READONLY))
                    Replace(window, u"\r\n");
                return 0;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                SetFocus(window.handle);
                return 0;
            case WM_SETFOCUS:
                NotifyParentCommand(window, EN_SETFOCUS);
                return 0;
            case WM_KILLFOCUS:
                NotifyParentCommand(window, EN_KILLFOCUS);
                return 0;
            default:
                return CommonDefaultProc(window, message, wParam, lParam);
        }
    }

    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CEdit>(); }

private:
    void Select(const WindowRecord& window, int start, int end) {
        int length = window.text.GetLength();
        if (start == -1) {
            start_ = end_;
            return;
        }
        if (end < 0 || end > length) end = length;
        start = std::clamp(start, 0, length);
        start_ = std::min(start, end);
        end_ = std::max(start, end);
    }

    void Replace(WindowRecord& window, const CString& inserted) {
        int length = window.text.GetLength();
        int start = std::min(start_, length);
        int end = std::min(end_, length);
        window.text = window.text.Left(start) + inserted + window.text.Mid(end);
        start_ = end_ = start + inserted.GetLength();
        NotifyParentCommand(window, EN_CHANGE);
    }

    /// A single-line edit takes the clipboard's first line only.
    static CString PastedText(const WindowRecord& window) {
        const CString& text = Clipboard();
        if (window.HasStyle(ES_MULTILINE)) return text;
        int lineEnd = text.FindOneOf(u"\r\n");
        return lineEnd < 0 ? text : text.Left(lineEnd);
    }

    int start_ = 0;
    int end_ = 0;
};

}  // namespace

void SetClipboardText(const CString& text) { Clipboard() = text; }
const CString& GetClipboardText() { return Clipboard(); }

std::unique_ptr<ControlState> MakeEditState() { return std::make_unique<EditState>(); }

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    WindowRecord* parentRecord = parent ? FindWindowRecord(parent->m_hWnd) : nullptr;
    if (!parentRecord || m_hWnd) return FALSE;
    WindowRecord& made = CreateControlWindow(ControlKind::kEdit, *parentRecord, static_cast<int>(id), style | WS_CHILD, CString(), rect);
    return SubclassWindow(made.handle);
}

void CEdit::SetSel(int start, int end, BOOL) { ::SendMessage(m_hWnd, EM_SETSEL, static_cast<WPARAM>(static_cast<intptr_t>(start)), end); }

void CEdit::GetSel(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::ReplaceSel(const CString& text, BOOL canUndo) {
    ::SendMessage(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text.GetString()));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(readOnly))); }
