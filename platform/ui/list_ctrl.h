// List views in report view: columns with headings and widths, items (rows) with sub-item texts,
// item data, selection, focus and the selection mark. Geometry, in the list's client coordinates:
// a header of ListHeaderHeight pixels, then one row of ListRowHeight pixels per item from the top
// index on; a column is as wide as set, columns side by side from x = 0. An item's label rectangle
// is its cell in column 0. Clicks hit an item on its column-0 cell, or anywhere on its row when the
// list selects full rows.
//
// Mouse handling: a click selects the item under it (with Ctrl, adds or removes it unless the list
// allows one selection only), moves the focus and the selection mark there, or clears the selection
// when it hits no item; the parent then gets NM_CLICK. A double click (after the click) only sends
// NM_DBLCLK, leaving the focus where it is; a right click
// selects the item under it and sends NM_RCLICK, then WM_CONTEXTMENU unless the parent's NM_RCLICK
// handling returned non-zero. The notifications carry NMITEMACTIVATE with the item and sub-item hit.
// The list's own label editing (LVS_EDITLABELS) is not modelled: a list edits a cell with an edit
// control of its own.
#pragma once

#include <memory>

#include "platform/cstring.h"
#include "platform/ui/font.h"
#include "platform/ui/wnd.h"

class ControlState;

inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
inline constexpr DWORD LVS_EX_FLATSB = 0x00000100;

inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;

inline constexpr UINT LVIR_BOUNDS = 0;
inline constexpr UINT LVIR_ICON = 1;
inline constexpr UINT LVIR_LABEL = 2;

inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

inline constexpr int LVNI_ALL = 0x0000;
inline constexpr int LVNI_FOCUSED = 0x0001;
inline constexpr int LVNI_SELECTED = 0x0002;

struct LVHITTESTINFO {
    POINT pt;
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

/// What NM_CLICK, NM_DBLCLK and NM_RCLICK of a list view carry.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;  ///< client coordinates of the click
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

/// Row geometry of a list view with this font: the header's height and an item row's height.
int ListHeaderHeight(const SFontMetrics& font);
int ListRowHeight(const SFontMetrics& font);

class CListCtrl : public CWnd {
public:
    /// Inserts a column at column (past the end: appended); returns its index, or -1.
    int InsertColumn(int column, const CString& heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int GetColumnWidth(int column) const;
    /// The number of columns (what the list's header control counts).
    int GetColumnCount() const;
    /// A column's heading and alignment (LVCFMT_...), for a backend that draws the list; empty and
    /// LVCFMT_LEFT for a column that does not exist.
    CString GetColumnHeading(int column) const;
    int GetColumnFormat(int column) const;

    DWORD GetExtendedStyle() const;
    /// Returns the previous extended style.
    DWORD SetExtendedStyle(DWORD exStyle);

    /// Inserts an item at index (past the end: appended); returns its index, or -1.
    int InsertItem(int index, const CString& text);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    /// Sub-item 0 is the item's own text; FALSE for an item or a sub-item that does not exist.
    BOOL SetItemText(int index, int subItem, const CString& text);
    /// Empty for an item or a sub-item that does not exist.
    CString GetItemText(int index, int subItem) const;

    /// Changes the state bits in mask (LVIS_SELECTED, LVIS_FOCUSED); index -1 changes every item.
    BOOL SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    POSITION GetFirstSelectedItemPosition() const;
    /// The item at pos, moving pos on to the next selected item (null after the last).
    int GetNextSelectedItem(POSITION& pos) const;
    /// The next item after start (-1: from the first) with all the LVNI_ flags' states, or -1.
    int GetNextItem(int start, int flags) const;
    int GetSelectionMark() const;
    /// Returns the previous mark.
    int SetSelectionMark(int index);

    /// Scrolls so that the item's row lies in the client area.
    BOOL EnsureVisible(int index, BOOL partialOK);
    int GetTopIndex() const;
    /// How many rows fit below the header.
    int GetCountPerPage() const;
    /// LVIR_BOUNDS: the whole row; LVIR_LABEL / LVIR_ICON: the item's cell in column 0.
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    /// The cell of a sub-item; sub-item 0 with LVIR_BOUNDS gives the whole row, as the platform does.
    BOOL GetSubItemRect(int index, int subItem, int area, CRect& rect) const;
    /// The item under the point (client coordinates), or -1; flags gets LVHT_ONITEMLABEL or LVHT_NOWHERE.
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const;
    /// The item and the column under info->pt, whether or not the list selects full rows.
    int SubItemHitTest(LPLVHITTESTINFO info) const;
};

std::unique_ptr<ControlState> MakeListViewState();
