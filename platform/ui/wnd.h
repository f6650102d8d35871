// CWnd: the object side of a window. It holds the window's handle; the window's state lives in its
// record (window_record.h), so an object of a derived class can attach itself to a window that a
// dialog template made (DDX_Control) and then handle its messages through its own
// message map. Messages its map does not handle go to the control's built-in handling (Default).
#pragma once

#include "platform/cstring.h"
#include "platform/ui/font.h"
#include "platform/ui/geometry.h"
#include "platform/ui/message_map.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/messages.h"
#include "platform/ui/window_styles.h"

class CDataExchange;

/// Sends a message to a window and returns its result (0 for a window that does not exist). The
/// framework's invalid-argument exception from the handling is reported (handler_exceptions.h).
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
/// The window that has the keyboard focus, or null.
HWND GetFocus();
/// Moves the focus (WM_KILLFOCUS to the old window, then WM_SETFOCUS to the new one); null takes it
/// away. Returns the window that had it.
HWND SetFocus(HWND window);
/// Destroys a window and its children: WM_DESTROY to the window and then to each child, then the
/// objects are detached and the handles become invalid.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
/// The message being handled now (the innermost one sent or dispatched), or null.
const MSG* CurrentMessage();

class CWnd {
public:
    CWnd() = default;
    /// An object still attached to its window destroys the window, as the framework does.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: implicit, as the framework's

    /// The object attached to the window, or else a wrapper of the control's class (CButton,
    /// CListCtrl, ...) that lives as long as the window. Null for an invalid handle.
    static CWnd* FromHandle(HWND window);
    static CWnd* GetFocus();
    /// Gives this window the focus; returns the window that had it (or null).
    CWnd* SetFocus();

    BOOL SubclassWindow(HWND window);
    virtual BOOL DestroyWindow();

    int GetDlgCtrlID() const;
    /// The direct child with the identifier, or null.
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    DWORD GetStyle() const;

    void SetWindowText(const CString& text);
    void GetWindowText(CString& text) const;
    void SetDlgItemText(int id, const CString& text);
    int GetDlgItemText(int id, CString& text) const;
    UINT IsDlgButtonChecked(int id) const;
    /// Checks the button check and unchecks every other button whose identifier lies in first..last.
    void CheckRadioButton(int first, int last, int check);
    /// The identifier of the first checked button in first..last, or 0.
    int GetCheckedRadioButton(int first, int last) const;

    /// Returns TRUE when the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    /// SW_HIDE or SW_SHOW; returns TRUE when the window was visible before.
    BOOL ShowWindow(int command);
    /// Visible itself and all its parents.
    BOOL IsWindowVisible() const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    /// The window's rectangle in screen coordinates.
    void GetWindowRect(LPRECT rect) const;
    /// The client area: (0, 0) to its size.
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void SetFont(CFont* font, BOOL redraw = TRUE);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// A message box owned by this window; a null caption shows the program's name (message_box.h).
    int MessageBox(const CString& text, LPCTSTR caption = nullptr, UINT type = 0);
    /// Data exchange: TRUE reads the controls into the fields, FALSE writes the fields into the
    /// controls (data_exchange.h). While it runs, control notifications to this window are ignored.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    /// Sees a queued message before it is dispatched, for this window and each of its parents up to
    /// the dialog; TRUE when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* message);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    /// Looks the message up in the message map; TRUE when an entry handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    /// The control's built-in handling of the message.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* dx) {}

protected:
    /// The built-in handling of the message being handled now.
    LRESULT Default();

    static const CMessageMap* GetThisMessageMap();
    virtual const CMessageMap* GetMessageMap() const;

    // Handlers that derived classes map and then call for the built-in handling.
    void OnDestroy();
    void OnKillFocus(CWnd* newWindow);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnContextMenu(CWnd* window, CPoint point);
};
