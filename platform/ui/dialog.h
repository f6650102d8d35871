// Modal dialogs built from a dialog template resource. DoModal finds the template (type "DIALOG")
// in the module whose resources are current, makes the dialog and its controls (dialog units to
// pixels with the template's font), sends WM_INITDIALOG, puts the focus on the first tab stop
// unless OnInitDialog returned FALSE, lets the UI backend run the modal loop until EndDialog, then
// destroys the windows, gives the focus back to the window that had it, and returns the end code.
//
// Commands IDOK and IDCANCEL call the virtual OnOK (read the controls with UpdateData, then end
// with IDOK) and OnCancel (end with IDCANCEL). The keyboard works as in the platform's dialogs
// (dialog_manager.h): Tab, Enter and Escape. The close box sends IDCANCEL.
#pragma once

#include "platform/ui/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : templateId_(templateId), parent_(parent) {}

    /// The end code given to EndDialog; -1 when the template cannot be found. A template that
    /// cannot be read raises CDialogTemplateError.
    virtual INT_PTR DoModal();
    /// Ends the modal loop with the result once the current message is handled.
    void EndDialog(int result);
    /// True while the dialog runs and EndDialog has not been called.
    BOOL ContinueModal() const { return running_ && !ended_; }
    UINT GetTemplateId() const { return templateId_; }
    /// The end code given to EndDialog (-1 before).
    INT_PTR GetModalResult() const { return result_; }
    CWnd* GetOwner() const { return parent_; }

    /// Keyboard messages go to IsDialogMessage.
    BOOL PreTranslateMessage(MSG* message) override;
    /// Handles Tab, Enter and Escape for the dialog; TRUE when the message was one of them.
    BOOL IsDialogMessage(MSG* message);

    /// Writes the fields into the controls (UpdateData(FALSE)); TRUE: focus the first tab stop.
    virtual BOOL OnInitDialog();

protected:
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    friend class ModalSession;

    UINT templateId_;
    CWnd* parent_;
    bool running_ = false;
    bool ended_ = false;
    INT_PTR result_ = -1;
};
