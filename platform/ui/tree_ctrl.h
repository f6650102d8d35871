// Tree views: items with a text and item data under a parent, expanded or collapsed, one of them
// selected. Geometry, in client coordinates: the items shown (those whose ancestors are all
// expanded, in depth-first order) stand in rows of TreeRowHeight pixels from the top index on. An
// item's label starts TreeIndent pixels per level in (one level more with lines at the root) and is
// its text's width plus 4 pixels wide; the TreeIndent pixels just before the label of an item with
// children are its expand button when the tree has buttons.
//
// Mouse handling: a click sends NM_CLICK to the parent first (the selection has not changed yet);
// unless the parent returned non-zero, a click on a label selects the item (TVN_SELCHANGING, which
// the parent may refuse by returning non-zero, then TVN_SELCHANGED) and a click on a button expands
// or collapses. A double click sends NM_DBLCLK and then expands or collapses the item; a right
// click sends NM_RCLICK, then WM_CONTEXTMENU unless the parent returned non-zero. A right click does
// not select. Selecting an item expands its ancestors and scrolls it into view; SelectItem by the
// program notifies the parent too. Deleting the selected item selects its next sibling, else its
// parent, else its previous sibling (with notifications); DeleteAllItems clears the selection
// without any. The tree's own label editing (TVS_EDITLABELS) is not modelled.
#pragma once

#include <functional>
#include <memory>

#include "platform/cstring.h"
#include "platform/ui/font.h"
#include "platform/ui/wnd.h"

class ControlState;

struct _TREEITEM;
using HTREEITEM = _TREEITEM*;

inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFD));

inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

inline constexpr UINT TVE_COLLAPSE = 0x0001;
inline constexpr UINT TVE_EXPAND = 0x0002;
inline constexpr UINT TVE_TOGGLE = 0x0003;

inline constexpr UINT TVGN_ROOT = 0x0000;
inline constexpr UINT TVGN_NEXT = 0x0001;
inline constexpr UINT TVGN_PREVIOUS = 0x0002;
inline constexpr UINT TVGN_PARENT = 0x0003;
inline constexpr UINT TVGN_CHILD = 0x0004;
inline constexpr UINT TVGN_CARET = 0x0009;

inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_EXPANDED = 0x0020;

inline constexpr UINT TVHT_NOWHERE = 0x0001;
inline constexpr UINT TVHT_ONITEMICON = 0x0002;
inline constexpr UINT TVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT TVHT_ONITEMINDENT = 0x0008;
inline constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
inline constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
inline constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
inline constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

inline constexpr UINT TVC_UNKNOWN = 0;
inline constexpr UINT TVC_BYMOUSE = 1;
inline constexpr UINT TVC_BYKEYBOARD = 2;

inline constexpr UINT TVN_SELCHANGING = static_cast<UINT>(-450);
inline constexpr UINT TVN_SELCHANGED = static_cast<UINT>(-451);

inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;

struct TVITEM {
    UINT mask = 0;
    HTREEITEM hItem = nullptr;
    UINT state = 0;
    UINT stateMask = 0;
    LPCTSTR pszText = nullptr;
    int cchTextMax = 0;
    LPARAM lParam = 0;
};

/// What TVN_SELCHANGING and TVN_SELCHANGED carry: the item losing and the item getting the selection.
struct NMTREEVIEW {
    NMHDR hdr;
    UINT action = TVC_UNKNOWN;
    TVITEM itemOld;
    TVITEM itemNew;
    POINT ptDrag;
};

struct TVHITTESTINFO {
    POINT pt;
    UINT flags = 0;
    HTREEITEM hItem = nullptr;
};

int TreeRowHeight(const SFontMetrics& font);
inline constexpr int TreeIndent = 19;

class CTreeCtrl : public CWnd {
public:
    /// Inserts under parent (TVI_ROOT: at the root), after the given sibling, first (TVI_FIRST), last
    /// (TVI_LAST) or in sorted place (TVI_SORT). Null when the parent does not exist.
    HTREEITEM InsertItem(const CString& text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const CString& text);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL ItemHasChildren(HTREEITEM item) const;

    HTREEITEM GetRootItem() const;
    /// The first child; TVI_ROOT or null: the first item at the root.
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    /// Null for an item at the root.
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;

    /// Selects the item (null: no item), with the notifications. FALSE when the parent refused.
    BOOL SelectItem(HTREEITEM item);
    BOOL Expand(HTREEITEM item, UINT code);
    /// Sorts the item's children (not deeper) in the controls' text order (ui_text_order.h).
    BOOL SortChildren(HTREEITEM item);
    /// Expands the item's ancestors and scrolls its row into the client area.
    BOOL EnsureVisible(HTREEITEM item);
    /// The item's row (or only its label with textOnly); FALSE when the item is not shown.
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const;

    /// The first item, depth first (an item before its children, children in order), below start
    /// (TVI_ROOT: the whole tree) for which match is true; null when none is.
    HTREEITEM FindItem(const std::function<bool(HTREEITEM)>& match, HTREEITEM start = TVI_ROOT) const;
    /// FindItem by text: exactly, or without regard to the case of Latin letters.
    HTREEITEM FindItemByText(const CString& text, bool ignoreCase, HTREEITEM start = TVI_ROOT) const;
};

std::unique_ptr<ControlState> MakeTreeViewState();
