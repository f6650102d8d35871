// Drop-down combo boxes: a list of texts and an edit field showing the chosen or typed text (the
// combo's window text). The user picks an item from the dropped-down list (which is not modelled
// as a window of its own: the pick arrives as kComboPickMessage), or, in a CBS_DROPDOWN combo,
// types into the field by pasting over its selection. A pick sets the selection, tells the parent
// CBN_SELCHANGE, puts the item's text into the field and tells CBN_SELENDOK; typing clears the
// selection and tells CBN_EDITCHANGE. The combo is one text line high when closed, whatever height
// its template gives (that height is the dropped-down list's).
#pragma once

#include <memory>

#include "platform/cstring.h"
#include "platform/ui/font.h"
#include "platform/ui/wnd.h"

class ControlState;

inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;

inline constexpr int CB_ERR = -1;
inline constexpr UINT CBN_SELCHANGE = 1;
inline constexpr UINT CBN_EDITCHANGE = 5;
inline constexpr UINT CBN_SELENDOK = 9;

/// The user picks item wParam from the dropped-down list.
inline constexpr UINT kComboPickMessage = WM_USER + 0x7000;

int ComboClosedHeight(const SFontMetrics& font);

class CComboBox : public CWnd {
public:
    int AddString(const CString& text);
    int InsertString(int index, const CString& text);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    /// Selects the item and shows its text in the field (-1: no item, empty field); CB_ERR for an
    /// index outside the list.
    int SetCurSel(int index);
    /// Returns the text's length, or CB_ERR (text emptied) for an index outside the list.
    int GetLBText(int index, CString& text) const;
    /// The first item after start (-1: from the first), wrapping around, whose text begins with
    /// prefix without regard to case; CB_ERR when none does.
    int FindString(int start, const CString& prefix) const;
    int FindStringExact(int start, const CString& text) const;
    int SelectString(int start, const CString& prefix);
};

std::unique_ptr<ControlState> MakeComboBoxState();
