// The batch entry dialog: the user pastes (or types) a member text, sees how many lines it has, and
// confirms. The dialog only collects the text; the data structure editor parses it
// (batch_member_text.h) after OK.
#pragma once

#include "types/data_type_dialog_controls.h"
#include "platform/ui/dialog.h"

class CNewMoreDlg : public CDialog {
public:
    CNewMoreDlg() : CDialog(kNewMoreTemplate) {}

    CString m_text;   ///< the member text (edit 1047)
    CString m_count;  ///< the line count text (edit 1046)

    /// Tab inserts a tab character into the member text, whichever control has the focus, instead of
    /// moving the focus: member texts are tab-separated.
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnSample();
    void OnTextChange();
    DECLARE_MESSAGE_MAP()

private:
    void CountLines();
};
