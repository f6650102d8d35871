// User input as the platform delivers it: mouse clicks become button messages for the window under
// the mouse, keys become key messages for the window with the focus, a paste becomes WM_PASTE. The
// messages are queued and reach the windows through the modal loop, like real input.
#pragma once

#include "platform/cstring.h"
#include "platform/ui/geometry.h"

enum class MouseButton { kLeft, kRight };

/// A click (down, up; a double click adds double-click, up) at a screen point, for the window under
/// it within top (see WindowAtPoint). keys: MK_CONTROL for a click with Ctrl held.
void QueueClick(HWND top, CPoint screenPoint, MouseButton button, bool doubleClick = false, UINT keys = 0);
/// A key press for the window with the focus (top itself when the focus is not inside it).
void QueueKey(HWND top, UINT virtualKey);
/// Selects the control's whole text and pastes the text over it.
void QueuePaste(HWND control, const CString& text);
/// Any other input message for the window.
void QueueUserMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
