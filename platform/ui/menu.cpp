#include "platform/ui/menu.h"

#include "platform/ui/message_queue.h"
#include "platform/ui/ui_backend.h"
#include "platform/ui/wnd.h"

BOOL CMenu::CreatePopupMenu() {
    if (created_) return FALSE;
    created_ = true;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const CString& text) {
    if (!created_) return FALSE;
    bool separator = flags & MF_SEPARATOR;
    items_.push_back({flags, separator ? 0u : static_cast<UINT>(id), separator ? CString() : text});
    return TRUE;
}

UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(items_.size()); }

UINT CMenu::GetMenuItemID(int position) const {
    if (position < 0 || position >= static_cast<int>(items_.size())) return static_cast<UINT>(-1);
    return items_[position].id;
}

int CMenu::PositionOf(UINT item, UINT flags) const {
    if (flags & MF_BYPOSITION) return item < items_.size() ? static_cast<int>(item) : -1;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!(items_[i].flags & MF_SEPARATOR) && items_[i].id == item) return static_cast<int>(i);
    return -1;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    int position = PositionOf(item, flags);
    text = position >= 0 ? items_[position].text : CString();
    return text.GetLength();
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    int position = PositionOf(item, flags);
    return position >= 0 ? items_[position].flags : static_cast<UINT>(-1);
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    int position = PositionOf(item, enable);
    if (position < 0) return static_cast<UINT>(-1);
    UINT previous = items_[position].flags & (MF_GRAYED | MF_DISABLED);
    items_[position].flags = (items_[position].flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
    if (!created_) return FALSE;
    HWND ownerWindow = owner ? owner->m_hWnd : nullptr;
    UINT picked = GetUiBackend().TrackPopupMenu(*this, ownerWindow, CPoint(x, y));
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(picked);
    if (picked != 0) PostMessage(ownerWindow, WM_COMMAND, MAKEWPARAM(picked, 0), 0);
    return TRUE;
}
