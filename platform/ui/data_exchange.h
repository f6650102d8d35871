// Data exchange: a dialog's DoDataExchange binds its fields to its controls with DDX_ calls, and
// UpdateData runs it in one direction: TRUE reads every control into its field, FALSE writes every
// field into its control.
#pragma once

#include "platform/cstring.h"
#include "platform/ui/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;  ///< TRUE: controls to fields
    CWnd* m_pDlgWnd;

    /// The dialog's control with that identifier. A dialog without it is a programming error:
    /// std::logic_error naming the identifier.
    HWND PrepareCtrl(int id);
};

/// A text field and the control's text. Writing leaves a control alone whose text is already equal,
/// so that no change notification is sent for it.
void DDX_Text(CDataExchange* dx, int id, CString& value);
/// A check box: 0 unchecked, 1 checked.
void DDX_Check(CDataExchange* dx, int id, int& value);
/// A radio group given by its first button (the one that starts the group): the index of the
/// checked button within the group, or -1 when none is checked.
void DDX_Radio(CDataExchange* dx, int id, int& value);
/// Attaches the object to the control, once (see CWnd::SubclassDlgItem).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
