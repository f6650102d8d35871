#include "platform/ui/wnd.h"

#include <vector>

#include "platform/invalid_arg.h"
#include "platform/ui/command_watch.h"
#include "platform/ui/notification_lockout.h"
#include "platform/ui/handler_exceptions.h"
#include "platform/ui/window_record.h"

namespace {

HWND g_focus = nullptr;

/// The messages being handled, innermost last: Default() hands the innermost one on.
std::vector<MSG>& MessagesInProgress() {
    static std::vector<MSG> messages;
    return messages;
}

class MessageInProgress {
public:
    MessageInProgress(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        MSG current;
        current.hwnd = window;
        current.message = message;
        current.wParam = wParam;
        current.lParam = lParam;
        MessagesInProgress().push_back(current);
    }
    ~MessageInProgress() { MessagesInProgress().pop_back(); }
    MessageInProgress(const MessageInProgress&) = delete;
    MessageInProgress& operator=(const MessageInProgress&) = delete;
};

void SendDestroyMessages(HWND window) {
    SendMessage(window, WM_DESTROY);
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return;
    std::vector<HWND> children;
    for (WindowRecord* child : record->children) children.push_back(child->handle);
    for (HWND child : children) SendDestroyMessages(child);
}

}  // namespace

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return 0;
    MessageInProgress current(window, message, wParam, lParam);
    if (record->attached) {
        try {
            return record->attached->WindowProc(message, wParam, lParam);
        } catch (const CInvalidArgException&) {
            return ReportInvalidArgument(GetFocus(), message, lParam);
        }
    }
    return record->state ? record->state->DefaultProc(*record, message, wParam, lParam) : CommonDefaultProc(*record, message, wParam, lParam);
}

const MSG* CurrentMessage() { return MessagesInProgress().empty() ? nullptr : &MessagesInProgress().back(); }

HWND GetFocus() { return FindWindowRecord(g_focus) ? g_focus : nullptr; }

HWND SetFocus(HWND window) {
    HWND old = GetFocus();
    if (window == old) return old;
    if (window && !FindWindowRecord(window)) return nullptr;
    if (old) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window));
    g_focus = window;
    if (window) SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
    return old;
}

BOOL DestroyWindow(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    if (IsSelfOrDescendant(FindWindowRecord(GetFocus()), record)) SetFocus(nullptr);
    SendDestroyMessages(window);
    EraseWindowRecord(window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return FindWindowRecord(window) ? TRUE : FALSE; }

CWnd* WindowObjectFromHandle(HWND window) { return CWnd::FromHandle(window); }

CWnd::~CWnd() {
    WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record || record->attached != this) return;
    // Detach first: the messages of the destruction must not reach a half-destroyed object.
    record->attached = nullptr;
    ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return nullptr;
    if (record->attached) return record->attached;
    if (!record->wrapper) {
        record->wrapper = record->state ? record->state->MakeWrapper() : std::make_unique<CWnd>();
        record->wrapper->m_hWnd = window;
    }
    return record->wrapper.get();
}

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

BOOL CWnd::SubclassWindow(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record || m_hWnd || (record->attached && record->attached != this)) return FALSE;
    record->attached = this;
    m_hWnd = window;
    return TRUE;
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

int CWnd::GetDlgCtrlID() const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    return record ? record->id : 0;
}

CWnd* CWnd::GetDlgItem(int id) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record) return nullptr;
    for (WindowRecord* child : record->children)
        if (child->id == id) return FromHandle(child->handle);
    return nullptr;
}

CWnd* CWnd::GetParent() const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    return record && record->parent ? FromHandle(record->parent->handle) : nullptr;
}

DWORD CWnd::GetStyle() const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    return record ? record->style : 0;
}

void CWnd::SetWindowText(const CString& text) { ::SendMessage(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.GetString())); }

void CWnd::GetWindowText(CString& text) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    text = record ? record->text : CString();
}

void CWnd::SetDlgItemText(int id, const CString& text) {
    if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (CWnd* item = GetDlgItem(id)) item->GetWindowText(text);
    return text.GetLength();
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    CWnd* item = GetDlgItem(id);
    return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::CheckRadioButton(int first, int last, int check) {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record) return;
    std::vector<HWND> buttons;
    for (const WindowRecord* child : record->children)
        if (child->kind == ControlKind::kButton && child->id >= first && child->id <= last) buttons.push_back(child->handle);
    for (HWND button : buttons) {
        const WindowRecord* child = FindWindowRecord(button);
        if (child) ::SendMessage(button, BM_SETCHECK, child->id == check ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record) return 0;
    for (const WindowRecord* child : record->children)
        if (child->kind == ControlKind::kButton && child->id >= first && child->id <= last && ::SendMessage(child->handle, BM_GETCHECK) == BST_CHECKED)
            return child->id;
    return 0;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record) return FALSE;
    BOOL wasDisabled = record->HasStyle(WS_DISABLED);
    if (enable) record->style &= ~WS_DISABLED;
    else record->style |= WS_DISABLED;
    // A window that is disabled loses the focus.
    if (!enable && IsSelfOrDescendant(FindWindowRecord(::GetFocus()), record)) ::SetFocus(nullptr);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    return record && !record->HasStyle(WS_DISABLED);
}

BOOL CWnd::ShowWindow(int command) {
    WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record) return FALSE;
    BOOL wasVisible = record->HasStyle(WS_VISIBLE);
    if (command == SW_HIDE) record->style &= ~WS_VISIBLE;
    else record->style |= WS_VISIBLE;
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    return record && IsShown(*record);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL) {
    if (WindowRecord* record = FindWindowRecord(m_hWnd)) record->rect = CRect(x, y, x + width, y + height);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect) MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!rect) return;
    if (!record) {
        *rect = RECT();
        return;
    }
    CPoint origin = ClientOriginOnScreen(*record);
    int edge = EdgeWidth(*record);
    *rect = CRect(origin.x - edge, origin.y - edge, origin.x - edge + record->rect.Width(), origin.y - edge + record->rect.Height());
}

void CWnd::GetClientRect(LPRECT rect) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (rect) *rect = record ? ClientRectOf(*record) : CRect();
}

void CWnd::ClientToScreen(LPPOINT point) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record || !point) return;
    CPoint origin = ClientOriginOnScreen(*record);
    point->x += origin.x;
    point->y += origin.y;
}

void CWnd::ClientToScreen(LPRECT rect) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record || !rect) return;
    CPoint origin = ClientOriginOnScreen(*record);
    static_cast<CRect*>(rect)->OffsetRect(origin.x, origin.y);
}

void CWnd::ScreenToClient(LPPOINT point) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record || !point) return;
    CPoint origin = ClientOriginOnScreen(*record);
    point->x -= origin.x;
    point->y -= origin.y;
}

void CWnd::ScreenToClient(LPRECT rect) const {
    const WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record || !rect) return;
    CPoint origin = ClientOriginOnScreen(*record);
    static_cast<CRect*>(rect)->OffsetRect(-origin.x, -origin.y);
}

void CWnd::SetFont(CFont* font, BOOL) {
    WindowRecord* record = FindWindowRecord(m_hWnd);
    if (record && font && font->IsCreated()) record->font = font->Metrics();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendMessage(m_hWnd, message, wParam, lParam); }

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostMessage(m_hWnd, message, wParam, lParam); }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // While UpdateData runs for this window, notifications its controls send are ignored, so that
    // writing a field into a control does not call back into the dialog.
    bool fromControl = (message == WM_COMMAND && lParam != 0) || message == WM_NOTIFY;
    if (fromControl && IsNotificationLockedOut(m_hWnd)) {
        *result = 0;
        return TRUE;
    }
    if (message == WM_COMMAND) NotifyCommandWatch(*this, LOWORD(wParam), HIWORD(wParam));
    const MessageMapEntry* entry = FindMessageMapEntry(GetMessageMap(), message, wParam, lParam);
    if (!entry) return FALSE;
    *result = entry->handler(*this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindWindowRecord(m_hWnd);
    if (!record) return 0;
    return record->state ? record->state->DefaultProc(*record, message, wParam, lParam) : CommonDefaultProc(*record, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* current = CurrentMessage();
    return current && current->hwnd == m_hWnd ? DefWindowProc(current->message, current->wParam, current->lParam) : 0;
}

const CMessageMap* CWnd::GetThisMessageMap() {
    static const CMessageMap messageMap{nullptr, {}};
    return &messageMap;
}

const CMessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

void CWnd::OnDestroy() { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
