// Making control windows: the record with the state of its kind.
#pragma once

#include "platform/ui/window_record.h"

/// Makes a control window as the last child of parent, with the state of its kind and the parent's
/// font. A combo box is made one text line high (see combo_box.h). Sends no message.
WindowRecord& CreateControlWindow(ControlKind kind, WindowRecord& parent, int id, DWORD style, const CString& text, const CRect& rect);
