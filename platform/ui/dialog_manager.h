// The dialog manager: a dialog window's built-in handling. The close box (WM_CLOSE) presses
// IDCANCEL. The keyboard works as in the platform's dialogs: Tab moves the focus to the
// next tab stop (a visible, enabled control with WS_TABSTOP, in template order, wrapping around);
// Enter presses the focused push button, or else the default button (IDOK when the dialog has
// none), unless the focus is in a multi-line edit that wants Enter; Escape presses IDCANCEL. A
// button that is disabled is not pressed.
#pragma once

#include "platform/ui/window_record.h"

/// True when the key message was one of the dialog's keys and has been handled.
bool HandleDialogKey(WindowRecord& dialog, const MSG& message);
/// The next tab stop after the control that holds from (the first one when from is not in the
/// dialog), or null when the dialog has none.
HWND NextTabStop(WindowRecord& dialog, HWND from);
/// Focuses a control as the keyboard does: an edit gets its whole text selected.
void FocusDialogControl(HWND control);
/// The dialog's default button identifier (0 when it has none).
int DialogDefaultId(const WindowRecord& dialog);
std::unique_ptr<ControlState> MakeDialogState(int defaultId);
