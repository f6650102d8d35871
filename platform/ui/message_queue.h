// The thread's message queue: messages posted to windows, and user input. Posted messages are
// taken before input, as on the original platform, so a message posted while one input message is
// handled runs before the next input message.
#pragma once

#include "platform/ui/messages.h"

/// Queues a message for the window; false (nothing queued) when the window does not exist.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

/// Queues a user input message (mouse or keyboard). Input for a window that is gone, hidden or
/// disabled when its turn comes is dropped, as such windows take no input.
void QueueInputMessage(const MSG& message);

/// Takes the next message: posted messages first, then input. False when both queues are empty.
/// Messages for windows that no longer exist are dropped on the way.
bool TakeNextMessage(MSG& message);

/// Drops every queued message (a run that failed part-way leaves nothing behind for the next).
void ClearMessageQueue();

/// The mouse position of the last message taken from the queue, x in the low and y in the high
/// word, in screen coordinates.
DWORD GetMessagePos();
/// Where the mouse is: the position of the last mouse input queued.
BOOL GetCursorPos(POINT* point);
void SetCursorPos(int x, int y);
