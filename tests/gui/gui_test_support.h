// What the window tests share: the driver in a private tree, the dialog templates it carries,
// clicks and typing as the toolkit's widget events, and screenshots under the build folder.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/modalhook.h>

#include "platform/ui/dialog_template.h"
#include "host/wx_backend/dialog_mirror.h"
#include "host/wx_backend/wx_ui_backend.h"

/// A private copy of the driver's tree (drivers/Vireo_EX/Vireo_EX.so and its English language
/// library beside it) in a temporary folder, so that DataType.xml is written there. Removed at the end.
class DriverTree {
public:
    DriverTree();
    ~DriverTree();
    DriverTree(const DriverTree&) = delete;
    DriverTree& operator=(const DriverTree&) = delete;

    std::filesystem::path Root() const { return root_; }
    std::filesystem::path DriverPath() const { return root_ / "drivers" / "Vireo_EX" / "Vireo_EX.so"; }
    /// Loads the driver (once) and returns the export.
    void* Export(const char* name);

private:
    std::filesystem::path root_;
    void* handle_ = nullptr;
};

/// The example exports (MotorData.udt, PLCTags.xml, DB1_Conveyor.db, DB2_TankFarm.db), copied
/// into <tree>/plant next to the project so that the pictures show no build machine's folders.
std::filesystem::path CopyExamples(const DriverTree& tree);

/// The dialog template with that number from the driver's resources (the export locates the module).
SDialogTemplate DriverTemplate(void* driverExport, unsigned templateId);

/// Checks that every control of the template stands on the screen at its pixel rectangle (dialog
/// units converted with the template's font, scaled to the screen's font) with its text; failures
/// are reported with the id.
void ExpectTemplateOnScreen(const DialogMirror& dialog, const SDialogTemplate& layout);

/// A click on the control as the toolkit reports it (the button's, check box's or radio button's event).
void ClickControl(DialogMirror& dialog, int id);
/// Typing the text into an edit, as the toolkit reports it.
void TypeInto(DialogMirror& dialog, int id, const std::string& utf8);
/// A double-click on a cell of a list view as the toolkit reports it (the press, then the double
/// click) at the middle of the cell on the drawn list.
void DoubleClickListCell(DialogMirror& dialog, int listId, int row, int column);
/// The focus moving to the control, as the toolkit reports it.
void FocusControl(DialogMirror& dialog, int id);
/// The text the control shows (an edit's value, a label's text).
std::string ShownText(const DialogMirror& dialog, int id);

/// The windows backend whose file pickers are answered by the test (a native file chooser cannot
/// be driven), in the order they open, and whose message boxes are answered OK and kept.
class PickerAnsweringBackend : public WxUiBackend {
public:
    bool ChooseFiles(const SFileDialogRequest&, std::vector<CString>& paths) override;
    int ShowMessageBox(const SMessageBoxRequest& request) override;
    std::deque<std::vector<CString>> answers;
    std::vector<std::string> messages;
};

/// Sees every modal dialog of the toolkit that opens while it lives (message boxes, the host's own
/// dialogs, the mirrors of the driver's dialogs). The handler returns an answer (wxID_OK, wxID_YES,
/// ...) that ends the dialog at once without showing it, or wxID_NONE to show it; to work a shown
/// dialog, it queues the work with dialog.CallAfter, which runs inside the dialog's modal loop.
class ToolkitDialogHook : public wxModalDialogHook {
public:
    using Handler = std::function<int(wxDialog&)>;
    explicit ToolkitDialogHook(Handler handler) : handler_(std::move(handler)) { Register(); }
    ~ToolkitDialogHook() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override { return handler_(*dialog); }
    void Exit(wxDialog*) override {}

private:
    Handler handler_;
};

/// A click on the push button with the toolkit's identifier (wxID_OK, wxID_CANCEL) of a dialog.
void ClickToolkitButton(wxWindow& dialog, int id);

/// Writes the window's picture to <build>/gui-screenshots/<name>.png (name may hold a folder);
/// false when it could not.
bool SaveScreenshot(wxWindow& window, const std::string& name);
