#include "host/user_input/user_input.h"

#include "platform/ui/edit.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/window_record.h"
#include "platform/ui/wnd.h"

namespace {

void QueueMouse(HWND window, UINT message, WPARAM keys, CPoint client, CPoint screen) {
    MSG input;
    input.hwnd = window;
    input.message = message;
    input.wParam = keys;
    input.lParam = MAKELPARAM(client.x, client.y);
    input.pt = screen;
    QueueInputMessage(input);
}

}  // namespace

void QueueClick(HWND top, CPoint screenPoint, MouseButton button, bool doubleClick, UINT keys) {
    WindowRecord* topRecord = FindWindowRecord(top);
    if (!topRecord) return;
    WindowRecord& target = WindowAtPoint(*topRecord, screenPoint);
    CPoint origin = ClientOriginOnScreen(target);
    CPoint client(screenPoint.x - origin.x, screenPoint.y - origin.y);
    SetCursorPos(screenPoint.x, screenPoint.y);
    bool left = button == MouseButton::kLeft;
    UINT down = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    UINT up = left ? WM_LBUTTONUP : WM_RBUTTONUP;
    WPARAM held = keys | (left ? MK_LBUTTON : MK_RBUTTON);
    QueueMouse(target.handle, down, held, client, screenPoint);
    QueueMouse(target.handle, up, keys, client, screenPoint);
    if (!doubleClick) return;
    QueueMouse(target.handle, left ? WM_LBUTTONDBLCLK : WM_RBUTTONDOWN, held, client, screenPoint);
    QueueMouse(target.handle, up, keys, client, screenPoint);
}

void QueueKey(HWND top, UINT virtualKey) {
    WindowRecord* topRecord = FindWindowRecord(top);
    if (!topRecord) return;
    WindowRecord* focus = FindWindowRecord(GetFocus());
    MSG input;
    input.hwnd = IsSelfOrDescendant(focus, topRecord) ? focus->handle : top;
    input.message = WM_KEYDOWN;
    input.wParam = virtualKey;
    GetCursorPos(&input.pt);
    QueueInputMessage(input);
}

void QueuePaste(HWND control, const CString& text) {
    SetClipboardText(text);
    QueueUserMessage(control, EM_SETSEL, 0, -1);
    QueueUserMessage(control, WM_PASTE);
}

void QueueUserMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG input;
    input.hwnd = window;
    input.message = message;
    input.wParam = wParam;
    input.lParam = lParam;
    GetCursorPos(&input.pt);
    QueueInputMessage(input);
}
