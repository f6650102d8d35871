// Message boxes: a text, a caption, a set of buttons and an icon. The UI backend gives the user's
// answer (the button's command identifier).
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/module.h"
#include "platform/ui/message_box_styles.h"
#include "platform/ui/win_types.h"

/// The framework's message box: the caption is the program's name (AfxGetAppName).
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

/// The answers a message box of this type offers (IDOK, IDCANCEL, ...), in button order.
std::vector<int> MessageBoxAnswers(UINT type);
/// The name of an answer ("OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No").
const char* AnswerName(int answer);
