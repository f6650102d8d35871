// The window on the screen of one modal dialog of the in-memory window model. Every control of the
// dialog gets a window of the toolkit at its own pixel rectangle (the template's dialog units
// converted with the template's font), scaled to the font the dialog is drawn with on the screen
// (see ScreenScale), with its text, style and state. The two sides are kept in
// step both ways: the user's input on the screen is queued as the platform's input messages
// (clicks at the control's points in the model's pixels, key presses, pastes, focus changes: the same entry points the
// scripted user takes), the dialog handles them through its message maps, and then the screen is
// brought up to the model's state, controls that appeared or went away included.
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>

#include <wx/dialog.h>
#include <wx/weakref.h>

#include "platform/cstring.h"
#include "platform/ui/geometry.h"
#include "platform/ui/window_record.h"
#include "host/wx_backend/screen_scale.h"

class CDialog;

class DialogMirror : public wxDialog {
public:
    DialogMirror(wxWindow* owner, CDialog& dialog);

    CDialog& Model() const { return dialog_; }
    /// Between the model's pixels and the screen's.
    const ScreenScale& Scale() const { return scale_; }
    /// Shows the dialog and handles the user's input until the model ends it. shown, when set, runs
    /// once the dialog is on the screen and waits for the user.
    void Run(const std::function<void(DialogMirror&)>& shown);
    /// Queues the input, lets the dialogs handle everything queued, brings the screen up to date
    /// and ends the modal run when the dialog has ended. An error raised while handling is shown in
    /// a message box; the dialog stays open.
    void Deliver(const std::function<void()>& input);
    /// Brings every window up to the model's state.
    void Sync();

    /// The toolkit's window of a control, or null.
    wxWindow* WindowOf(HWND control) const;
    /// The window of the dialog's first control (depth first) with the identifier, or null.
    wxWindow* WindowOfId(int id) const;
    HWND HandleOfId(int id) const;

private:
    struct SMirrored {
        wxWeakRef<wxWindow> window;
        CString text;
        CRect rect;
        int shown = -1;
        int enabled = -1;
        int check = -1;
        int readOnly = -1;
        std::vector<CString> items;
        int selection = -2;
    };

    wxWindow* Create(WindowRecord& record, wxWindow* parent);
    void BindInput(wxWindow* window, HWND control);
    void SyncTree(WindowRecord& parent, wxWindow* parentWindow);
    void SyncControl(WindowRecord& record, SMirrored& mirrored);
    void SyncItems(WindowRecord& record, SMirrored& mirrored);
    void SyncFocus();
    void DropGone();
    /// Tells the model where the caret of the focused edit stands, before a key that may use it.
    void QueueCaretOfFocusedEdit();
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnFocus(HWND control);

    CDialog& dialog_;
    ScreenScale scale_;
    std::unordered_map<HWND, SMirrored> mirrored_;
    HWND shownFocus_ = nullptr;
    bool syncing_ = false;
    bool delivering_ = false;
};
