#include "platform/ui/message_box.h"

#include "platform/ui/ui_backend.h"
#include "platform/ui/wnd.h"

namespace {

int Ask(HWND owner, const CString& text, const CString& caption, UINT type) {
    SMessageBoxRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = caption;
    request.type = type;
    return GetUiBackend().ShowMessageBox(request);
}

}  // namespace

int AfxMessageBox(const CString& text, UINT type, UINT) {
    HWND owner = GetFocus();
    return Ask(owner, text, AfxGetAppName(), type);
}

int CWnd::MessageBox(const CString& text, LPCTSTR caption, UINT type) {
    return Ask(m_hWnd, text, caption ? CString(caption) : AfxGetAppName(), type);
}

std::vector<int> MessageBoxAnswers(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        default: return {IDOK};
    }
}

const char* AnswerName(int answer) {
    switch (answer) {
        case IDOK: return "OK";
        case IDCANCEL: return "Cancel";
        case IDABORT: return "Abort";
        case IDRETRY: return "Retry";
        case IDIGNORE: return "Ignore";
        case IDYES: return "Yes";
        case IDNO: return "No";
        default: return "?";
    }
}
