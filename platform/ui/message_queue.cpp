#include "platform/ui/message_queue.h"

#include <deque>

#include "platform/ui/window_record.h"

namespace {

struct SQueues {
    std::deque<MSG> posted;
    std::deque<MSG> input;
    POINT cursor;
    POINT lastMessagePos;
};

SQueues& Queues() {
    static SQueues queues;
    return queues;
}

bool AcceptsInput(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return record && IsShown(*record) && IsEnabledForInput(*record);
}

}  // namespace

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!FindWindowRecord(window)) return FALSE;
    MSG queued;
    queued.hwnd = window;
    queued.message = message;
    queued.wParam = wParam;
    queued.lParam = lParam;
    queued.pt = Queues().cursor;
    Queues().posted.push_back(queued);
    return TRUE;
}

void QueueInputMessage(const MSG& message) { Queues().input.push_back(message); }

bool TakeNextMessage(MSG& message) {
    SQueues& queues = Queues();
    while (!queues.posted.empty()) {
        message = queues.posted.front();
        queues.posted.pop_front();
        if (!FindWindowRecord(message.hwnd)) continue;
        queues.lastMessagePos = message.pt;
        return true;
    }
    while (!queues.input.empty()) {
        message = queues.input.front();
        queues.input.pop_front();
        if (!AcceptsInput(message.hwnd)) continue;
        queues.lastMessagePos = message.pt;
        return true;
    }
    return false;
}

void ClearMessageQueue() {
    Queues().posted.clear();
    Queues().input.clear();
}

DWORD GetMessagePos() {
    const POINT& pt = Queues().lastMessagePos;
    return static_cast<DWORD>((static_cast<uint32_t>(pt.x) & 0xFFFF) | ((static_cast<uint32_t>(pt.y) & 0xFFFF) << 16));
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    *point = Queues().cursor;
    return TRUE;
}

void SetCursorPos(int x, int y) {
    Queues().cursor.x = x;
    Queues().cursor.y = y;
}
