// List boxes with one selection. A sorted list box (LBS_SORT) puts each added text in its place in
// the controls' text order (ui_text_order.h), after texts that compare equal. Items stand in rows
// of ListBoxItemHeight pixels from the top index on; a click selects the item under it and tells
// the parent LBN_SELCHANGE, a double click LBN_DBLCLK (with or without LBS_NOTIFY). Selecting by
// the program notifies nobody.
#pragma once

#include <memory>

#include "platform/cstring.h"
#include "platform/ui/font.h"
#include "platform/ui/wnd.h"

class ControlState;

inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;

inline constexpr int LB_ERR = -1;
inline constexpr UINT LBN_SELCHANGE = 1;
inline constexpr UINT LBN_DBLCLK = 2;

int ListBoxItemHeight(const SFontMetrics& font);

class CListBox : public CWnd {
public:
    /// Adds the text (in sorted place for a sorted list box); returns its index.
    int AddString(const CString& text);
    /// Inserts at index (-1: at the end), unsorted; returns the index or LB_ERR.
    int InsertString(int index, const CString& text);
    void ResetContent();
    int GetCount() const;
    /// Returns the text's length, or LB_ERR (text emptied) for an index outside the list.
    int GetText(int index, CString& text) const;
    int GetCurSel() const;
    /// -1 clears the selection; LB_ERR for an index outside the list (and the selection is cleared).
    int SetCurSel(int index);
    /// The first item after start (-1: from the first), wrapping around, whose text begins with
    /// prefix without regard to case; LB_ERR when none does.
    int FindString(int start, const CString& prefix) const;
    /// As FindString, for a whole text without regard to case.
    int FindStringExact(int start, const CString& text) const;
    /// Selects what FindString finds; returns its index or LB_ERR.
    int SelectString(int start, const CString& prefix);
    int GetTopIndex() const;
    int SetTopIndex(int index);
    /// The item's row in client coordinates; LB_ERR for an index outside the list.
    int GetItemRect(int index, LPRECT rect) const;
};

std::unique_ptr<ControlState> MakeListBoxState();
