// The UI backend: what supplies the user. It runs a modal dialog's loop (feeding it the user's
// input as messages until the dialog ends) and answers message boxes, file dialogs, popup menus
// and shell requests. ScriptedUser (scripted_user.h) plays a user from a script, for tests and the
// command-line host; a backend that shows real windows can drive the same dialog objects. The
// dialogs never know which backend runs them.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/ui/geometry.h"
#include "platform/ui/win_types.h"

class CDialog;
class CMenu;

struct SMessageBoxRequest {
    HWND owner = nullptr;
    CString text;
    CString caption;
    UINT type = 0;  ///< buttons (MB_OK, MB_OKCANCEL, ...) and icon (MB_ICONQUESTION, ...)
};

struct SFileFilter {
    CString name;     ///< "scl,udt文件"
    CString pattern;  ///< "*.scl;*.udt"
};

struct SFileDialogRequest {
    HWND owner = nullptr;
    bool open = true;       ///< an open-file dialog (not a save-as one)
    bool multiple = false;  ///< several files may be chosen (all from one folder)
    bool mustExist = false;
    CString title;          ///< empty: the platform's default title
    std::vector<SFileFilter> filters;
    CString defaultExtension;
    CString fileName;       ///< the name the dialog starts with
};

struct SShellRequest {
    HWND owner = nullptr;
    CString verb;
    CString file;
    CString parameters;
    CString directory;
};

class CUiBackend {
public:
    virtual ~CUiBackend() = default;
    /// Runs the dialog until it ends (CDialog::ContinueModal turns false), dispatching its messages
    /// (modal_loop.h) and supplying the user's input.
    virtual void RunModalLoop(CDialog& dialog) = 0;
    /// The button the user answers with (IDOK, IDCANCEL, ...).
    virtual int ShowMessageBox(const SMessageBoxRequest& request) = 0;
    /// True and the full paths the user chose, in the order the dialog returns them; false when the
    /// user cancelled.
    virtual bool ChooseFiles(const SFileDialogRequest& request, std::vector<CString>& paths) = 0;
    /// The command identifier of the item the user picked, or 0 when the menu was dismissed.
    virtual UINT TrackPopupMenu(const CMenu& menu, HWND owner, CPoint screenPoint) = 0;
    /// True when the shell took the request.
    virtual bool ShellOpen(const SShellRequest& request) = 0;
};

/// The backend in use. Until one is set, every request fails with std::runtime_error: without a
/// user, no dialog can run.
CUiBackend& GetUiBackend();

/// Makes a backend current for the lifetime of the scope, then restores the previous one.
class CUiBackendScope {
public:
    explicit CUiBackendScope(CUiBackend& backend);
    ~CUiBackendScope();
    CUiBackendScope(const CUiBackendScope&) = delete;
    CUiBackendScope& operator=(const CUiBackendScope&) = delete;

private:
    CUiBackend* previous_;
};
