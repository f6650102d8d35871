// The in-memory window behind a handle: what the framework knows about every window and control
// (kind, identifier, style, text, rectangle, font, parent and children, the C++ object attached to
// it), and the kind-specific state each control keeps behind ControlState. Records live in one
// process-wide table from creation until the window is destroyed.
#pragma once

#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/ui/font.h"
#include "platform/ui/geometry.h"
#include "platform/ui/messages.h"
#include "platform/ui/window_styles.h"

class CWnd;
struct WindowRecord;

enum class ControlKind { kDialog, kButton, kEdit, kStatic, kListView, kTreeView, kListBox, kComboBox };

/// What a kind of control adds to a window: its state and its built-in window procedure.
class ControlState {
public:
    virtual ~ControlState() = default;
    /// The control's own handling of a message that the attached object did not handle. The base
    /// version is the handling every window shares (CommonDefaultProc).
    virtual LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam);
    /// A wrapper object of the control's framework class (CButton, CListCtrl, ...), for handles that
    /// no object attached itself to.
    virtual std::unique_ptr<CWnd> MakeWrapper() const = 0;
    /// True for controls that let mouse clicks through to what lies under them (static texts and
    /// group boxes).
    virtual bool LetsClicksThrough(const WindowRecord& window) const { return false; }
};

struct WindowRecord {
    HWND handle = nullptr;
    ControlKind kind = ControlKind::kStatic;
    int id = 0;
    DWORD style = 0;
    CString text;
    CRect rect;  ///< in the parent's client coordinates; a top-level window's in screen coordinates
    SFontMetrics font;
    WindowRecord* parent = nullptr;
    std::vector<WindowRecord*> children;  ///< creation order: the tab order, top of the z-order first
    CWnd* attached = nullptr;             ///< the object whose message map handles this window's messages
    std::unique_ptr<CWnd> wrapper;        ///< the wrapper handed out when no object is attached
    std::unique_ptr<ControlState> state;

    bool HasStyle(DWORD bits) const { return (style & bits) == bits; }
};

/// The record of a live window, or null (for null, and for a window that was destroyed).
WindowRecord* FindWindowRecord(HWND window);

/// Makes a record under parent (null: a top-level window) as the last of its children, without a
/// state and without sending any message.
WindowRecord& CreateWindowRecord(ControlKind kind, WindowRecord* parent, int id, DWORD style, const CString& text,
                                 const CRect& rect, const SFontMetrics& font);
/// Removes the record and its descendants, detaching their objects. Sends nothing (DestroyWindow
/// sends the messages first).
void EraseWindowRecord(HWND window);

/// The width of the sunken edge of a bordered control (2 pixels), or 0.
int EdgeWidth(const WindowRecord& window);
/// The client area in the window's own client coordinates: (0, 0) to the size inside the edge.
CRect ClientRectOf(const WindowRecord& window);
/// Where the window's client area starts on the screen.
CPoint ClientOriginOnScreen(const WindowRecord& window);
/// Visible itself and all its ancestors.
bool IsShown(const WindowRecord& window);
/// Enabled itself and all its ancestors.
bool IsEnabledForInput(const WindowRecord& window);
/// True when window is ancestor or the ancestor's descendant.
bool IsSelfOrDescendant(const WindowRecord* window, const WindowRecord* ancestor);
WindowRecord& TopLevelOf(WindowRecord& window);
/// The first descendant (depth first, in creation order) with the identifier, or null.
WindowRecord* FindDescendant(WindowRecord& window, int id);
/// The window a mouse click at the screen point reaches within top: the deepest visible child
/// under the point, first in z-order; static texts and group boxes let clicks through.
WindowRecord& WindowAtPoint(WindowRecord& top, CPoint screenPoint);

/// The handling every window shares: WM_SETTEXT stores the text, WM_CONTEXTMENU goes on to the
/// parent, anything else gives 0.
LRESULT CommonDefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam);
/// Sends WM_COMMAND with the control's identifier and the notification code to its parent.
LRESULT NotifyParentCommand(WindowRecord& control, UINT code);
/// Fills the header's sender and sends WM_NOTIFY to the control's parent; the parent's result.
LRESULT NotifyParent(WindowRecord& control, NMHDR& header, UINT code);
