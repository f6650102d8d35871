// WxUiBackend: the UI backend that shows real windows (wxWidgets). Each modal dialog of the window
// model appears as a dialog on the screen (DialogMirror), message boxes, file pickers and popup
// menus are the toolkit's, and the shell opens files with the desktop's default application. The
// program must have initialised the toolkit (a wxApp) before a dialog runs.
#pragma once

#include <functional>
#include <vector>

#include "platform/ui/ui_backend.h"

class DialogMirror;
class wxWindow;

class WxUiBackend : public CUiBackend {
public:
    /// owner: the window that owns the first dialog (null: the application's top window).
    explicit WxUiBackend(wxWindow* owner = nullptr) : owner_(owner) {}

    void RunModalLoop(CDialog& dialog) override;
    int ShowMessageBox(const SMessageBoxRequest& request) override;
    bool ChooseFiles(const SFileDialogRequest& request, std::vector<CString>& paths) override;
    UINT TrackPopupMenu(const CMenu& menu, HWND owner, CPoint screenPoint) override;
    bool ShellOpen(const SShellRequest& request) override;

    /// The innermost dialog on the screen, or null.
    DialogMirror* ActiveDialog() const { return active_.empty() ? nullptr : active_.back(); }
    /// Runs whenever a dialog has appeared and waits for the user (for tests that drive it).
    void OnDialogShown(std::function<void(DialogMirror&)> shown) { shown_ = std::move(shown); }

private:
    wxWindow* Owner() const;

    wxWindow* owner_;
    std::vector<DialogMirror*> active_;
    std::function<void(DialogMirror&)> shown_;
};
