// Edit controls: a single-line or multi-line text with a selection (the caret stands at its end).
// The user changes the text by pasting over the selection (WM_PASTE) and, in a multi-line edit that
// wants Enter, by pressing Enter; a read-only edit refuses both. Every change of the text tells the
// parent EN_CHANGE, except that a multi-line edit does not tell it for text set with
// SetWindowText, as on the original platform.
#pragma once

#include <memory>

#include "platform/cstring.h"
#include "platform/ui/wnd.h"

class ControlState;

inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_AUTOVSCROLL = 0x0040;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;

inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_SETREADONLY = 0x00CF;

inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_CHANGE = 0x0300;

class CEdit : public CWnd {
public:
    /// Makes an edit control as a child of parent and attaches this object to it. The style says
    /// whether it is visible (WS_VISIBLE); the font is the parent's until SetFont.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// Selects start..end; end -1 (or past the text) means the end of the text, start -1 removes the
    /// selection and keeps the caret.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    /// Replaces the selection with the text; the caret goes after it.
    void ReplaceSel(const CString& text, BOOL canUndo = FALSE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
};

/// The text a paste inserts: the user's clipboard.
void SetClipboardText(const CString& text);
const CString& GetClipboardText();

std::unique_ptr<ControlState> MakeEditState();
