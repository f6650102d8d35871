#include "platform/ui/handler_exceptions.h"

#include "platform/ui/message_box.h"
#include "platform/ui_language.h"

LRESULT ReportInvalidArgument(UINT message, LPARAM lParam) {
    bool chinese = PrimaryLangId(GetThreadUILanguage()) == 4;
    AfxMessageBox(chinese ? CString(u"遇到不正确的参数。") : CString(u"Encountered an improper argument."), MB_OK | MB_ICONERROR);
    return message == WM_COMMAND && lParam == 0 ? TRUE : 0;
}
