#include "platform/ui/handler_exceptions.h"

#include "platform/module.h"
#include "platform/ui/message_box_styles.h"
#include "platform/ui/ui_backend.h"
#include "platform/ui_language.h"

// The report goes to the UI backend directly, as the framework's message box would show it: the
// window core that catches the exception stays below the message-box layer built on it.
LRESULT ReportInvalidArgument(HWND owner, UINT message, LPARAM lParam) {
    const bool chinese = PrimaryLangId(GetThreadUILanguage()) == 4;
    SMessageBoxRequest request;
    request.owner = owner;
    request.text = chinese ? CString(u"遇到不正确的参数。") : CString(u"Encountered an improper argument.");
    request.caption = AfxGetAppName();
    request.type = MB_OK | MB_ICONERROR;
    GetUiBackend().ShowMessageBox(request);
    return message == WM_COMMAND && lParam == 0 ? TRUE : 0;
}
