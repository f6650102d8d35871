#include "host/user_input/modal_loop.h"

#include "platform/ui/message_queue.h"
#include "platform/ui/window_record.h"
#include "platform/ui/wnd.h"

namespace {

bool PreTranslateThroughParents(MSG& message) {
    for (HWND window = message.hwnd; window;) {
        WindowRecord* record = FindWindowRecord(window);
        if (!record) return true;  // destroyed on the way: nothing left to dispatch to
        HWND parent = record->parent ? record->parent->handle : nullptr;
        if (record->attached && record->attached->PreTranslateMessage(&message)) return true;
        window = parent;
    }
    return false;
}

}  // namespace

bool PumpMessage() {
    MSG message;
    if (!TakeNextMessage(message)) return false;
    if (!PreTranslateThroughParents(message)) SendMessage(message.hwnd, message.message, message.wParam, message.lParam);
    return true;
}
