#include "platform/ui/window_record.h"

#include <algorithm>
#include <unordered_map>

#include "platform/ui/wnd.h"

namespace {

std::unordered_map<HWND, std::unique_ptr<WindowRecord>>& Records() {
    static std::unordered_map<HWND, std::unique_ptr<WindowRecord>> records;
    return records;
}

/// Handles count up and are never reused, so a stale handle never names a newer window.
HWND NextHandle() {
    static uintptr_t next = 0x10000;
    next += 4;
    return reinterpret_cast<HWND>(next);
}

}  // namespace

LRESULT ControlState::DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CommonDefaultProc(window, message, wParam, lParam);
}

WindowRecord* FindWindowRecord(HWND window) {
    if (!window) return nullptr;
    auto it = Records().find(window);
    return it == Records().end() ? nullptr : it->second.get();
}

WindowRecord& CreateWindowRecord(ControlKind kind, WindowRecord* parent, int id, DWORD style, const CString& text,
                                 const CRect& rect, const SFontMetrics& font) {
    auto record = std::make_unique<WindowRecord>();
    record->handle = NextHandle();
    record->kind = kind;
    record->id = id;
    record->style = style;
    record->text = text;
    record->rect = rect;
    record->font = font;
    record->parent = parent;
    WindowRecord& made = *record;
    if (parent) parent->children.push_back(&made);
    Records().emplace(made.handle, std::move(record));
    return made;
}

void EraseWindowRecord(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return;
    while (!record->children.empty()) EraseWindowRecord(record->children.back()->handle);
    if (record->attached) record->attached->m_hWnd = nullptr;
    if (record->wrapper) record->wrapper->m_hWnd = nullptr;
    if (record->parent) std::erase(record->parent->children, record);
    Records().erase(window);
}

int EdgeWidth(const WindowRecord& window) { return window.kind != ControlKind::kDialog && window.HasStyle(WS_BORDER) ? 2 : 0; }

CRect ClientRectOf(const WindowRecord& window) {
    int edge = EdgeWidth(window);
    return CRect(0, 0, std::max(0, window.rect.Width() - 2 * edge), std::max(0, window.rect.Height() - 2 * edge));
}

CPoint ClientOriginOnScreen(const WindowRecord& window) {
    CPoint origin = window.rect.TopLeft();
    if (window.parent) {
        CPoint parentOrigin = ClientOriginOnScreen(*window.parent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    int edge = EdgeWidth(window);
    return CPoint(origin.x + edge, origin.y + edge);
}

bool IsShown(const WindowRecord& window) {
    for (const WindowRecord* w = &window; w; w = w->parent)
        if (!w->HasStyle(WS_VISIBLE)) return false;
    return true;
}

bool IsEnabledForInput(const WindowRecord& window) {
    for (const WindowRecord* w = &window; w; w = w->parent)
        if (w->HasStyle(WS_DISABLED)) return false;
    return true;
}

bool IsSelfOrDescendant(const WindowRecord* window, const WindowRecord* ancestor) {
    for (; window; window = window->parent)
        if (window == ancestor) return true;
    return false;
}

WindowRecord& TopLevelOf(WindowRecord& window) {
    WindowRecord* top = &window;
    while (top->parent) top = top->parent;
    return *top;
}

WindowRecord* FindDescendant(WindowRecord& window, int id) {
    for (WindowRecord* child : window.children) {
        if (child->id == id) return child;
        if (WindowRecord* found = FindDescendant(*child, id)) return found;
    }
    return nullptr;
}

WindowRecord& WindowAtPoint(WindowRecord& top, CPoint screenPoint) {
    CPoint origin = ClientOriginOnScreen(top);
    CPoint local(screenPoint.x - origin.x, screenPoint.y - origin.y);
    for (WindowRecord* child : top.children) {
        if (!child->HasStyle(WS_VISIBLE) || (child->state && child->state->LetsClicksThrough(*child)) || !child->rect.PtInRect(local)) continue;
        return WindowAtPoint(*child, screenPoint);
    }
    return top;
}

LRESULT CommonDefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            window.text = lParam ? CString(reinterpret_cast<const char16_t*>(lParam)) : CString();
            return TRUE;
        case WM_CONTEXTMENU:
            if (window.parent) return SendMessage(window.parent->handle, message, wParam, lParam);
            return 0;
        default:
            return 0;
    }
}

LRESULT NotifyParentCommand(WindowRecord& control, UINT code) {
    if (!control.parent) return 0;
    return SendMessage(control.parent->handle, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(control.id), code),
                       reinterpret_cast<LPARAM>(control.handle));
}

LRESULT NotifyParent(WindowRecord& control, NMHDR& header, UINT code) {
    header.hwndFrom = control.handle;
    header.idFrom = static_cast<UINT_PTR>(control.id);
    header.code = code;
    if (!control.parent) return 0;
    return SendMessage(control.parent->handle, WM_NOTIFY, static_cast<WPARAM>(control.id), reinterpret_cast<LPARAM>(&header));
}
