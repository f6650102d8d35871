#include "import/edit_list_ctrl.h"

void CEditListCtrl::OnKillFocus(CWnd* newWindow) {
    CEdit::OnKillFocus(newWindow);
    // Posted, not sent: the list commits the text once the focus change is complete.
    if (CWnd* list = GetParent()) list->PostMessage(kEndCellEditMessage, 0, 0);
}

BEGIN_MESSAGE_MAP(CEditListCtrl, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()
