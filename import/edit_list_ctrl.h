// The in-place edit of the data block file list: an edit control over a block name cell. When it
// loses the focus it asks its list to end the edit.
#pragma once

#include "platform/ui/edit.h"

/// The message an in-place edit posts to its list when it loses the focus (both parameters 0).
inline constexpr UINT kEndCellEditMessage = WM_USER + 101;

class CEditListCtrl : public CEdit {
public:
    CEditListCtrl() = default;
    ~CEditListCtrl() override = default;

protected:
    void OnKillFocus(CWnd* newWindow);
    DECLARE_MESSAGE_MAP()
};
