// The main window of `vireo-host gui`: one project. On the left the devices (add, remove); on the
// right the selected device's properties in a property grid and its channel table, with the
// channel dialog to add channels and deletion of the selected rows. The driver's custom user
// interfaces (the tag import) and its data type editor are in the Tools menu. Every action is one
// transaction on the project file; an error is shown in a message box and changes nothing.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/filehistory.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "host/gui/gui_project.h"
#include "host/project/output_format.h"

class wxListBox;
class wxPropertyGrid;
class wxPropertyGridEvent;

/// The channel table, drawn row by row from the rows the driver described (virtual, so tens of
/// thousands of channels cost nothing to show).
class ChannelTable : public wxListCtrl {
public:
    explicit ChannelTable(wxWindow* parent);
    void Show(std::vector<SChannelRow> rows, const SChannelConfig& config);
    const std::vector<SChannelRow>& Rows() const { return rows_; }
    std::vector<int> SelectedRows() const;

private:
    wxString OnGetItemText(long item, long column) const override;
    /// Sizes every column to its heading and texts.
    void FitColumns();

    std::vector<SChannelRow> rows_;
    SChannelConfig config_;
    std::unique_ptr<wxFileHistory> recent_;  ///< recent projects, kept in the user's configuration
};

/// The commands of the main window's menus and buttons (one id for a menu entry and its button).
enum MainFrameCommand {
    kAddDevice = wxID_HIGHEST + 1,
    kRemoveDevice,
    kAddChannels,
    kDeleteChannels,
    kDataTypes,
    kNewProject,
    kOpenProject,
    kSaveProjectAs,
    kExportChannels,
    kManual,
    kUndoDelete,
    kFirstRecentProject,                      ///< the recent projects follow, one id each
    kFirstCustomUI = kFirstRecentProject + 9,  ///< the driver's custom user interfaces follow, one id each
};

class MainFrame : public wxFrame {
public:
    MainFrame(GuiProject& project, const std::string& device);

    /// Selects the device and shows it (nothing when the project has no such device).
    void SelectDevice(const std::string& device);
    const std::string& CurrentDevice() const { return device_; }

    // Actions, as the menus and buttons run them (public for tests).
    void AddDevice(const std::string& name);
    void RemoveCurrentDevice();
    void AddChannels(SChlInfo info);
    void DeleteSelectedChannels();
    /// Gives the last delete's rows back; false when the device changed since (then nothing is undone).
    bool UndoDelete();
    void OpenCustomUI(size_t entry);
    /// Works on another project: an existing one (open) or a new one; the window shows it.
    void OpenProject(const std::string& path, bool mustExist);
    void SaveProjectAs(const std::string& path);
    /// The current device's channel table into a file, as `channel list --format` writes it.
    void ExportChannels(const std::string& path, TableFormat format);
    /// Reloads the device list, the properties and the channels from the project.
    void Reload();

    wxListBox* devices = nullptr;
    wxWeakRef<wxTextCtrl> importReport;  ///< the last import report's text while it is shown
    wxPropertyGrid* properties = nullptr;
    ChannelTable* channels = nullptr;

private:
    void BuildMenus();
    wxMenu* BuildFileMenu();
    wxMenu* BuildHelpMenu();
    void AskAndOpenProject(bool mustExist);
    void AskAndSaveProjectAs();
    void AskAndExportChannels();
    /// The manual page, rendered by man, in a window.
    void ShowManual();
    void ShowAbout();
    void ShowProjectInTitle();
    void ShowDevice();
    void OnPropertyChanged(wxPropertyGridEvent& event);
    void AskAndAddDevice();
    void AskAndAddChannels();
    /// Deletes the selected rows once the user has said yes.
    void AskAndDeleteChannels();
    /// What an import did, in a window whose text can be read and copied.
    void ShowImportReport(const wxString& title, const std::vector<std::string>& lines);
    /// Runs the action; an error is shown in a message box, never as a crash.
    void Guard(const std::function<void()>& action);

    GuiProject& project_;
    std::string device_;
    std::vector<SCustomUIEntry> customEntries_;
    SChannelConfig config_;
    std::unique_ptr<wxFileHistory> recent_;  ///< recent projects, kept in the user's configuration
};
