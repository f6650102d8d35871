#include "platform/ui/dialog.h"

#include <string>

#include "platform/resources.h"
#include "platform/ui/button.h"
#include "platform/ui/control_factory.h"
#include "platform/ui/dialog_manager.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/dialog_units.h"
#include "platform/ui/ui_backend.h"
#include "platform/ui/window_record.h"

namespace {

/// How many modal dialogs are open: each one opens a little further down and to the right, so that
/// screen points of different dialogs never coincide.
int g_openDialogs = 0;

SDialogTemplate LoadTemplate(UINT templateId, bool& found) {
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = FindResourceW(module, templateId, RT_DIALOG);
    found = resource != nullptr;
    if (!found) return {};
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    try {
        return ParseDialogTemplate(std::string_view(bytes, SizeofResource(module, resource)));
    } catch (const CDialogTemplateError& error) {
        throw CDialogTemplateError("dialog template " + std::to_string(templateId) + ", " + error.what());
    }
}

HWND CreateDialogWindows(const SDialogTemplate& layout, CPoint origin) {
    SFontMetrics font = FontMetricsFor(layout.fontFace, layout.fontPoints * 10);
    CRect client = DialogRectToPixels(0, 0, layout.cx, layout.cy, font);
    client.OffsetRect(origin.x, origin.y);
    int defaultId = 0;
    for (const SDialogControl& control : layout.controls)
        if (control.kind == ControlKind::kButton && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && defaultId == 0) defaultId = control.id;
    WindowRecord& dialog = CreateWindowRecord(ControlKind::kDialog, nullptr, 0, WS_VISIBLE, layout.caption, client, font);
    dialog.state = MakeDialogState(defaultId);
    for (const SDialogControl& control : layout.controls)
        CreateControlWindow(control.kind, dialog, control.id, control.style, control.text,
                            DialogRectToPixels(control.x, control.y, control.cx, control.cy, font));
    return dialog.handle;
}

}  // namespace

/// One run of a modal dialog: makes its windows, and on the way out (an exception included)
/// destroys them and gives the focus back.
class ModalSession {
public:
    ModalSession(CDialog& dialog, const SDialogTemplate& layout) : dialog_(dialog), previousFocus_(GetFocus()) {
        CPoint origin(100 + 24 * g_openDialogs, 80 + 24 * g_openDialogs);
        ++g_openDialogs;
        dialog.SubclassWindow(CreateDialogWindows(layout, origin));
        dialog.running_ = true;
        dialog.ended_ = false;
        dialog.result_ = -1;
    }
    ~ModalSession() {
        dialog_.running_ = false;
        if (dialog_.m_hWnd) DestroyWindow(dialog_.m_hWnd);
        --g_openDialogs;
        if (IsWindow(previousFocus_)) SetFocus(previousFocus_);
    }
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

private:
    CDialog& dialog_;
    HWND previousFocus_;
};

INT_PTR CDialog::DoModal() {
    bool found = false;
    SDialogTemplate layout = LoadTemplate(templateId_, found);
    if (!found || m_hWnd) return -1;
    ModalSession session(*this, layout);
    if (SendMessage(WM_INITDIALOG) && ContinueModal()) {
        WindowRecord* dialog = FindWindowRecord(m_hWnd);
        if (HWND first = dialog ? NextTabStop(*dialog, nullptr) : nullptr) FocusDialogControl(first);
    }
    if (ContinueModal()) GetUiBackend().RunModalLoop(*this);
    return result_;
}

void CDialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
}

BOOL CDialog::PreTranslateMessage(MSG* message) {
    return message && IsKeyboardMessage(message->message) && IsDialogMessage(message);
}

BOOL CDialog::IsDialogMessage(MSG* message) {
    WindowRecord* dialog = FindWindowRecord(m_hWnd);
    WindowRecord* target = message ? FindWindowRecord(message->hwnd) : nullptr;
    if (!dialog || !IsSelfOrDescendant(target, dialog)) return FALSE;
    return HandleDialogKey(*dialog, *message);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()
