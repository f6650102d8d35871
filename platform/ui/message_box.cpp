#include "platform/ui/message_box.h"

#include "platform/module.h"
#include "platform/ui_language.h"
#include "platform/ui/ui_backend.h"
#include "platform/ui/wnd.h"

namespace {

CString& AppNameOverride() {
    static CString name;
    return name;
}

int Ask(HWND owner, const CString& text, const CString& caption, UINT type) {
    SMessageBoxRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = caption;
    request.type = type;
    return GetUiBackend().ShowMessageBox(request);
}

}  // namespace

int MessageBoxW(HWND owner, const CString& text, LPCTSTR caption, UINT type) {
    CString shown = caption ? CString(caption) : PrimaryLangId(GetThreadUILanguage()) == 4 ? CString(u"错误") : CString(u"Error");
    return Ask(owner, text, shown, type);
}

int AfxMessageBox(const CString& text, UINT type, UINT) {
    HWND owner = GetFocus();
    return Ask(owner, text, AfxGetAppName(), type);
}

int CWnd::MessageBox(const CString& text, LPCTSTR caption, UINT type) {
    return Ask(m_hWnd, text, caption ? CString(caption) : AfxGetAppName(), type);
}

CString AfxGetAppName() {
    if (!AppNameOverride().IsEmpty()) return AppNameOverride();
    CString path = GetModuleFileNameW(nullptr);
    CString name = path.Mid(path.ReverseFind(u'/') + 1);
    int dot = name.ReverseFind(u'.');
    return dot > 0 ? name.Left(dot) : name;
}

void AfxSetAppName(const CString& name) { AppNameOverride() = name; }

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
