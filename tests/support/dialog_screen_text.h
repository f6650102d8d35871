// What the dialog tests read off the screen, as a user reads it: a list's rows and a control's
// text, in UTF-8 for readable failure messages.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/ui/wnd.h"

std::string Utf8(const CString& text);
/// The rows of the dialog's list control, each as its cells joined by " | ".
std::vector<std::string> RowLines(CWnd& dialog, int list);
/// The text of the dialog's control.
std::string TextOf(CWnd& dialog, int control);
