// ScriptedUser: a UI backend that plays a user from a script, for tests and the command-line host.
//
// The script is a list of steps. Whenever the active (innermost) modal dialog has handled all its
// queued messages and waits for the user, the next action step runs: it turns into input messages
// (clicks at the points a user would click, key presses, pastes) that go through the modal loop and
// the dialogs' message maps like real input. When a message box, a file dialog or a popup menu
// appears, it takes the answer that the next step gives, or a standing answer (AlwaysAnswer).
// Nested dialogs just go on with the same script.
//
// Whatever goes wrong raises ScriptFailure, with what the dialog showed: the script running out
// while a dialog is open, a message box or file dialog that the script did not expect (or whose
// text does not match), an answer the script expects that never comes, a control that does not
// exist or is hidden, an item that is not there. A script never cancels a dialog silently.
//
// The log records what the user saw: dialogs opening and ending, message boxes with their answers,
// file dialogs, menu picks, shell requests, and the rows of watched list controls when their dialog
// ends.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "host/user_input/screen_text.h"
#include "platform/ui/ui_backend.h"
#include "host/user_input/user_input.h"

class CWnd;

class ScriptFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SUserLogEntry {
    enum Kind { kDialogOpened, kDialogEnded, kMessageBox, kFileDialog, kPopupMenu, kShellRequest, kListRows };
    Kind kind = kDialogOpened;
    CString caption{};    ///< the dialog's, the message box's or the file dialog's
    CString text{};       ///< message box text; file dialog filters; menu item; shell verb and file
    CString answer{};     ///< button; chosen files (one a line) or "cancelled"; a dialog's end code
    UINT boxType = 0;     ///< kMessageBox: its buttons and icon (MB_OKCANCEL | MB_ICONQUESTION, ...)
    int controlId = 0;    ///< kListRows: the list control
    ListRowTexts rows{};  ///< kListRows: its rows when the dialog ended

    /// One line (kListRows: a line per row after the first), UTF-8.
    std::string ToString() const;
};

class ScriptedUser : public CUiBackend {
public:
    // Actions.
    ScriptedUser& Click(int control);
    /// A click at a point in the control's client coordinates.
    ScriptedUser& ClickAt(int control, CPoint clientPoint);
    ScriptedUser& DoubleClick(int control);
    /// Clicks into the control, selects its whole text and pastes the text over it (one change).
    ScriptedUser& Type(int control, const CString& text);
    /// Picks by text: a list box or combo box item, a list view row (column 0), a tree item (the
    /// first in depth-first order). A list view row or tree item is clicked on its label.
    ScriptedUser& Pick(int control, const CString& text);
    /// Picks by index: a list box or combo box item, a list view row.
    ScriptedUser& Pick(int control, int index);
    /// Picks the tree item at the path of texts from the root.
    ScriptedUser& PickNode(int control, std::vector<CString> path);
    /// Ctrl+click on a list view row: adds it to (or removes it from) the selection.
    ScriptedUser& AddToSelection(int control, int row);
    ScriptedUser& DoubleClickRow(int control, int row);
    ScriptedUser& DoubleClickRow(int control, const CString& text);
    /// A right click, and then the pick of the item in the popup menu that must open. On a list view
    /// the click lands on the selection mark's row, on a tree on the selected item, else (and when
    /// nothing is selected) in the middle of the control.
    ScriptedUser& ContextMenu(int control, const CString& item);
    ScriptedUser& ContextMenuOnRow(int control, int row, const CString& item);
    ScriptedUser& ContextMenuOnNode(int control, std::vector<CString> path, const CString& item);
    ScriptedUser& PressKey(UINT virtualKey);
    ScriptedUser& Tab() { return PressKey(VK_TAB); }
    ScriptedUser& Enter() { return PressKey(VK_RETURN); }
    ScriptedUser& Escape() { return PressKey(VK_ESCAPE); }
    /// The dialog's close box.
    ScriptedUser& CloseDialog();
    ScriptedUser& Focus(int control);
    /// Fails unless the active dialog's caption contains the text.
    ScriptedUser& ExpectDialog(const CString& captionFragment);
    /// Runs the function on the active dialog (to look at its controls).
    ScriptedUser& Inspect(std::function<void(CWnd& dialog)> look);

    // Answers.
    /// The next message box must contain the text; the button is the answer.
    ScriptedUser& Answer(const CString& textFragment, int button);
    /// Any message box containing the text (empty: any at all) that no Answer step takes.
    ScriptedUser& AlwaysAnswer(const CString& textFragment, int button);
    /// The next file dialog (whose title or filters contain expected) returns these paths.
    ScriptedUser& ChooseFiles(std::vector<CString> paths, const CString& expected = CString());
    ScriptedUser& CancelFileDialog(const CString& expected = CString());

    /// Logs the rows of the list control each time a dialog of the template ends.
    ScriptedUser& WatchList(UINT templateId, int control);

    const std::vector<SUserLogEntry>& Log() const { return log_; }
    std::string LogText() const;
    std::vector<CString> MessageBoxTexts() const;
    /// The rows the list control had when its dialog last ended; empty when never logged.
    ListRowTexts LastRows(int control) const;
    /// True when every step has been used.
    bool Finished() const { return next_ == steps_.size(); }

    // The backend.
    void RunModalLoop(CDialog& dialog) override;
    int ShowMessageBox(const SMessageBoxRequest& request) override;
    bool ChooseFiles(const SFileDialogRequest& request, std::vector<CString>& paths) override;
    UINT TrackPopupMenu(const CMenu& menu, HWND owner, CPoint screenPoint) override;
    bool ShellOpen(const SShellRequest& request) override;

private:
    enum class StepKind {
        kClick, kClickAt, kDoubleClick, kType, kPickText, kPickIndex, kPickNode, kAddToSelection, kDoubleClickRow,
        kDoubleClickRowText, kContextMenu, kContextMenuRow, kContextMenuNode, kKey, kClose, kFocus, kExpectDialog,
        kInspect, kAnswer, kChooseFiles, kCancelFiles
    };
    struct SStep {
        StepKind kind = StepKind::kClick;
        int control = 0;
        CString text{};
        int index = -1;
        std::vector<CString> path{};
        CPoint point{};
        UINT key = 0;
        int button = 0;
        std::vector<CString> files{};
        std::function<void(CWnd&)> look{};
        CString menuItem{};
    };
    struct SStandingAnswer {
        CString fragment;
        int button;
    };
    struct SWatch {
        UINT templateId;
        int control;
    };

    ScriptedUser& Add(SStep step);
    static std::string Describe(const SStep& step);
    const SStep* NextStep() const { return next_ < steps_.size() ? &steps_[next_] : nullptr; }
    bool IsAnswer(const SStep& step) const;

    void Perform(const SStep& step);
    HWND Control(const SStep& step);
    void ClickRow(HWND list, int row, MouseButton button, bool doubleClick, UINT keys);
    void ClickItem(HWND tree, HTREEITEM item, MouseButton button);
    void Pick(HWND control, const SStep& step);
    HTREEITEM ItemAtPath(HWND tree, const std::vector<CString>& path);
    void RightClickForMenu(HWND control, const SStep& step);

    void LogWatchedLists(CDialog& dialog);
    [[noreturn]] void Fail(const std::string& what) const;

    std::vector<SStep> steps_;
    size_t next_ = 0;
    std::vector<SStandingAnswer> standing_;
    std::vector<SWatch> watches_;
    std::vector<SUserLogEntry> log_;
    std::vector<CDialog*> active_;
    std::optional<size_t> pendingMenu_;  ///< the context-menu step whose menu has not opened yet
};
