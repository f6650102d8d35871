// Popup menus: a list of command items and separators. TrackPopupMenu asks the UI backend which
// item the user picks; the pick is posted to the owner as WM_COMMAND (the menu item's identifier,
// notification code 0), or returned with TPM_RETURNCMD.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/ui/geometry.h"
#include "platform/ui/win_types.h"

class CWnd;

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu {
public:
    BOOL CreatePopupMenu();
    bool IsCreated() const { return created_; }

    /// Appends an item: MF_STRING with an identifier and a text, or MF_SEPARATOR.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const CString& text = CString());
    UINT GetMenuItemCount() const;
    /// The item's identifier (0 for a separator); -1 as UINT for a position outside the menu.
    UINT GetMenuItemID(int position) const;
    /// The item's text, by command identifier (MF_BYCOMMAND) or position (MF_BYPOSITION).
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    /// The item's flags (MF_SEPARATOR, MF_GRAYED, ...); -1 as UINT when there is no such item.
    UINT GetMenuState(UINT item, UINT flags) const;
    /// Grays (MF_GRAYED) or enables (MF_ENABLED, 0) an item; returns its previous state, or -1.
    UINT EnableMenuItem(UINT item, UINT enable);

    /// Shows the menu at the screen point for the owner. Without TPM_RETURNCMD: posts the picked
    /// command to the owner and returns TRUE; with it: returns the picked identifier, 0 for none.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

private:
    struct SItem {
        UINT flags;
        UINT id;
        CString text;
    };
    int PositionOf(UINT item, UINT flags) const;

    std::vector<SItem> items_;
    bool created_ = false;
};
