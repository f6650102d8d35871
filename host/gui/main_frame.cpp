#include "host/gui/main_frame.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/propgrid/propgrid.h>
#include <wx/propgrid/props.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/utils.h>

#include "host/gui/channel_dialog.h"
#include "host/gui/gui_language.h"
#include "host/wx_backend/message_box_labels.h"
#include "host/wx_backend/wx_text.h"

namespace {

wxString ReadWriteText(int flag) {
    switch (flag) {
        case 0: return _("read only");
        case 1: return _("write only");
        case 2: return _("read and write");
        default: return wxString::Format("%d", flag);
    }
}

}  // namespace

ChannelTable::ChannelTable(wxWindow* parent) : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES) {
    const std::pair<const char*, int> columns[] = {{wxTRANSLATE("#"), 50},          {wxTRANSLATE("Channel"), 170},
                                                   {wxTRANSLATE("Register"), 80},   {wxTRANSLATE("Data type"), 130},
                                                   {wxTRANSLATE("Address"), 90},    {wxTRANSLATE("Read/write"), 110},
                                                   {wxTRANSLATE("Variable"), 170},  {wxTRANSLATE("HMI variable"), 170},
                                                   {wxTRANSLATE("Comment"), 160}};
    for (const auto& [heading, width] : columns) AppendColumn(wxGetTranslation(heading), wxLIST_FORMAT_LEFT, width);
}

void ChannelTable::Show(std::vector<SChannelRow> rows, const SChannelConfig& config) {
    rows_ = std::move(rows);
    config_.registerNames.Copy(config.registerNames);
    config_.dataTypes = config.dataTypes;
    SetItemCount(static_cast<long>(rows_.size()));
    FitColumns();
    Refresh();
}

void ChannelTable::FitColumns() {
    // Each column as wide as its heading and the widest text among the first and the last rows
    // (the row numbers grow toward the end): measuring every one of a million rows would take
    // longer than showing them.
    constexpr long kRowsMeasured = 500;
    const int padding = FromDIP(16);
    const long count = GetItemCount();
    for (int column = 0; column < GetColumnCount(); ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        GetColumn(column, heading);
        int width = GetTextExtent(heading.GetText()).GetWidth();
        auto measure = [&](long item) { width = std::max(width, GetTextExtent(OnGetItemText(item, column)).GetWidth()); };
        for (long item = 0; item < std::min(count, kRowsMeasured); ++item) measure(item);
        for (long item = std::max(kRowsMeasured, count - kRowsMeasured); item < count; ++item) measure(item);
        SetColumnWidth(column, width + padding);
    }
}

std::vector<int> ChannelTable::SelectedRows() const {
    std::vector<int> rows;
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item >= 0; item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(static_cast<int>(item));
    return rows;
}

wxString ChannelTable::OnGetItemText(long item, long column) const {
    if (item < 0 || item >= static_cast<long>(rows_.size())) return wxString();
    const SChannelRow& row = rows_[static_cast<size_t>(item)];
    const SChlInfo& info = row.info;
    switch (column) {
        case 0: return wxString::Format("%ld", item);
        case 1: return ToWx(row.name);
        case 2: return info.regType >= 0 && info.regType < config_.registerNames.GetSize() ? ToWx(config_.registerNames[info.regType]) : wxString();
        case 3: {
            const bool known = info.regType >= 0 && info.regType < static_cast<int>(config_.dataTypes.size()) && info.typeIndex >= 0 &&
                               info.typeIndex < static_cast<int>(config_.dataTypes[info.regType].size());
            return known ? ToWx(config_.dataTypes[info.regType][info.typeIndex]) : wxString::Format("%d", info.typeIndex);
        }
        case 4: return ToWx(info.address);
        case 5: return ReadWriteText(info.rwFlag);
        case 6: return ToWx(row.variable);
        case 7: return ToWx(info.varName);
        case 8: return ToWx(info.comment);
        default: return wxString();
    }
}

MainFrame::MainFrame(GuiProject& project, const std::string& device)
    : wxFrame(nullptr, wxID_ANY, wxString::Format("vireo-host - %s", wxString::FromUTF8(project.Path())), wxDefaultPosition, wxSize(1100, 700)),
      project_(project),
      device_(device) {
    UseUiLanguageForWindows();
    auto* panel = new wxPanel(this);
    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(new wxStaticText(panel, wxID_ANY, _("Devices")), 0, wxBOTTOM, 4);
    devices = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(180, -1));
    devices->SetName("devices");
    left->Add(devices, 1, wxEXPAND);
    auto* deviceButtons = new wxBoxSizer(wxHORIZONTAL);
    auto* addDevice = new wxButton(panel, kAddDevice, _("Add..."));
    auto* removeDevice = new wxButton(panel, kRemoveDevice, _("Remove"));
    deviceButtons->Add(addDevice, 1, wxRIGHT, 4);
    deviceButtons->Add(removeDevice, 1);
    left->Add(deviceButtons, 0, wxEXPAND | wxTOP, 4);

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(new wxStaticText(panel, wxID_ANY, _("Properties")), 0, wxBOTTOM, 4);
    properties = new wxPropertyGrid(panel, wxID_ANY, wxDefaultPosition, wxSize(-1, 170), wxPG_SPLITTER_AUTO_CENTER | wxPG_BOLD_MODIFIED);
    properties->SetName("properties");
    right->Add(properties, 0, wxEXPAND);
    right->Add(new wxStaticText(panel, wxID_ANY, _("Channels")), 0, wxTOP | wxBOTTOM, 4);
    channels = new ChannelTable(panel);
    channels->SetName("channels");
    right->Add(channels, 1, wxEXPAND);
    auto* channelButtons = new wxBoxSizer(wxHORIZONTAL);
    channelButtons->Add(new wxButton(panel, kAddChannels, _("Add channels...")), 0, wxRIGHT, 4);
    channelButtons->Add(new wxButton(panel, kDeleteChannels, _("Delete selected")), 0);
    right->Add(channelButtons, 0, wxTOP, 4);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(left, 0, wxEXPAND | wxALL, 8);
    columns->Add(right, 1, wxEXPAND | wxALL, 8);
    panel->SetSizer(columns);

    BuildMenus();
    CreateStatusBar();
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AskAndAddDevice(); }, kAddDevice);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Guard([this] { RemoveCurrentDevice(); }); }, kRemoveDevice);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AskAndAddChannels(); }, kAddChannels);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AskAndDeleteChannels(); }, kDeleteChannels);
    devices->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) { SelectDevice(event.GetString().utf8_string()); });
    properties->Bind(wxEVT_PG_CHANGED, &MainFrame::OnPropertyChanged, this);
    Guard([this] { Reload(); });
}

void MainFrame::BuildMenus() {
    wxMenu* file = BuildFileMenu();
    auto* device = new wxMenu;
    device->Append(kAddDevice, _("&Add device..."));
    device->Append(kRemoveDevice, _("&Remove device"));
    auto* channel = new wxMenu;
    channel->Append(kAddChannels, _("&Add channels...\tCtrl+N"));
    channel->Append(kDeleteChannels, _("&Delete selected channels\tDel"));
    channel->Append(kUndoDelete, _("&Undo delete\tCtrl+Z"));
    auto* tools = new wxMenu;
    Guard([&] { customEntries_ = project_.CustomUIEntries(); });
    for (size_t i = 0; i < customEntries_.size(); ++i) tools->Append(kFirstCustomUI + static_cast<int>(i), ToWx(customEntries_[i].text) + "...");
    if (!customEntries_.empty()) tools->AppendSeparator();
    tools->Append(kDataTypes, _("&Data types..."));
    auto* bar = new wxMenuBar;
    bar->Append(file, _("&File"));
    bar->Append(device, _("&Device"));
    bar->Append(channel, _("&Channel"));
    bar->Append(tools, _("&Tools"));
    bar->Append(BuildHelpMenu(), _("&Help"));
    SetMenuBar(bar);

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndAddDevice(); }, kAddDevice);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Guard([this] { RemoveCurrentDevice(); }); }, kRemoveDevice);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndAddChannels(); }, kAddChannels);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndDeleteChannels(); }, kDeleteChannels);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Guard([this] { UndoDelete(); }); }, kUndoDelete);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(project_.CanUndoDelete()); }, kUndoDelete);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        Guard([this] {
            if (!project_.EditDataTypes()) MessageBoxInUiLanguage(_("The driver has no data type editor."), _("Data types"), wxOK | wxICON_INFORMATION, this);
            Reload();
        });
    }, kDataTypes);
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) { OpenCustomUI(static_cast<size_t>(event.GetId() - kFirstCustomUI)); },
         kFirstCustomUI, kFirstCustomUI + std::max<int>(0, static_cast<int>(customEntries_.size()) - 1));
}

void MainFrame::Guard(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        MessageBoxInUiLanguage(wxString::FromUTF8(error.what()), _("vireo-host"), wxOK | wxICON_ERROR, this);
    }
}

void MainFrame::Reload() {
    const std::vector<std::string> names = project_.DeviceNames();
    devices->Clear();
    for (const std::string& name : names) devices->Append(wxString::FromUTF8(name));
    if (std::find(names.begin(), names.end(), device_) == names.end()) device_ = names.empty() ? std::string() : names.front();
    if (!device_.empty()) devices->SetStringSelection(wxString::FromUTF8(device_));
    ShowDevice();
}

void MainFrame::SelectDevice(const std::string& device) {
    device_ = device;
    Guard([this] { Reload(); });
}

void MainFrame::ShowDevice() {
    properties->Clear();
    channels->Show({}, config_);
    SetStatusText(device_.empty() ? _("No device: add one with Device > Add device.") : wxString::FromUTF8(device_));
    if (device_.empty()) return;
    const SPropertyList list = project_.Properties(device_);
    for (int i = 0; i < list.names.GetSize(); ++i) {
        const wxString name = ToWx(list.names[i]);
        const wxString value = i < list.values.GetSize() ? ToWx(list.values[i]) : wxString();
        const bool enumerated = i < list.enumerated.GetSize() && list.enumerated[i];
        wxPGProperty* property = nullptr;
        if (enumerated) {
            wxPGChoices choices;
            for (const CString& text : project_.PropertyValueTexts(device_, list.names[i])) choices.Add(ToWx(text));
            const int at = choices.Index(value);
            property = new wxEnumProperty(name, wxString::Format("p%d", i), choices, at >= 0 ? choices.GetValue(at) : 0);
        } else {
            property = new wxStringProperty(name, wxString::Format("p%d", i), value);
        }
        properties->Append(property);
    }
    config_ = project_.ChannelConfig(device_);
    channels->Show(project_.Channels(device_), config_);
}

void MainFrame::OnPropertyChanged(wxPropertyGridEvent& event) {
    wxPGProperty* property = event.GetProperty();
    if (!property) return;
    long index = -1;
    property->GetName().Mid(1).ToLong(&index);
    const CString value = FromWx(property->GetValueAsString());
    CallAfter([this, index, value] {  // the grid must finish its own handling before it is rebuilt
        Guard([&] { project_.SetProperty(device_, static_cast<int>(index), value); });
        Guard([this] { ShowDevice(); });
    });
}

void MainFrame::AskAndAddDevice() {
    wxTextEntryDialog ask(this, _("Name of the new device:"), _("Add device"));
    if (ask.ShowModal() != wxID_OK) return;
    const std::string name = ask.GetValue().utf8_string();
    Guard([&] { AddDevice(name); });
}

void MainFrame::AddDevice(const std::string& name) {
    project_.AddDevice(name);
    device_ = name;
    Reload();
}

void MainFrame::RemoveCurrentDevice() {
    if (device_.empty()) return;
    const wxString question = wxString::Format(_("Remove the device %s and its channels?"), wxString::FromUTF8(device_));
    if (MessageBoxInUiLanguage(question, _("Remove device"), wxYES_NO | wxICON_QUESTION, this) != wxYES) return;
    project_.RemoveDevice(device_);
    device_.clear();
    Reload();
}

void MainFrame::AskAndAddChannels() {
    if (device_.empty()) return;
    Guard([this] {
        ChannelDialog dialog(this, config_);
        if (dialog.ShowModal() != wxID_OK) return;
        AddChannels(dialog.Description());
    });
}

void MainFrame::AddChannels(SChlInfo info) {
    wxBusyCursor busy;
    const int result = project_.AddChannels(device_, info);
    if (result == 0) throw HostError(WindowMessage("the driver built no channel from this description; nothing was added"));
    ShowDevice();
    channels->EnsureVisible(result - 1);
    SetStatusText(wxString::Format(_("Added; the next free address is %s"), ToWx(info.address)));
}

void MainFrame::AskAndDeleteChannels() {
    const size_t count = channels->SelectedRows().size();
    if (device_.empty() || count == 0) return;
    const wxString question = wxString::Format(_("Delete the %zu selected channels?"), count);
    if (MessageBoxInUiLanguage(question, _("Delete channels"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this) != wxYES) return;
    Guard([this] { DeleteSelectedChannels(); });
}

void MainFrame::DeleteSelectedChannels() {
    const std::vector<int> rows = channels->SelectedRows();
    if (device_.empty() || rows.empty()) return;
    project_.DeleteChannels(device_, rows);
    ShowDevice();
}

bool MainFrame::UndoDelete() {
    const bool undone = project_.UndoDelete();
    SetStatusText(undone ? _("The deleted channels are back.") : _("Not undone: the device changed since the delete."));
    ShowDevice();
    return undone;
}

void MainFrame::OpenCustomUI(size_t entry) {
    if (device_.empty() || entry >= customEntries_.size()) return;
    std::vector<std::string> report;
    Guard([&] { report = project_.ShowCustomUI(device_, customEntries_[entry]); });
    Guard([this] { ShowDevice(); });
    if (!report.empty()) ShowImportReport(ToWx(customEntries_[entry].text) + " - " + wxString::FromUTF8(device_), report);
}

void MainFrame::ShowImportReport(const wxString& title, const std::vector<std::string>& lines) {
    // A text the user can read, select and copy, beside the main window until closed: the rows of
    // the import and its summary. A later import's report replaces it.
    wxString text;
    for (const std::string& line : lines) text << wxString::FromUTF8(line) << "\n";
    if (importReport) importReport->GetParent()->Destroy();
    auto* window = new wxDialog(this, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    importReport = new wxTextCtrl(window, wxID_ANY, text, wxDefaultPosition, FromDIP(wxSize(640, 240)), wxTE_MULTILINE | wxTE_READONLY);
    sizer->Add(importReport, 1, wxEXPAND | wxALL, FromDIP(8));
    sizer->Add(window->CreateStdDialogButtonSizer(wxOK), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    LabelStockButtons(*window);
    window->SetSizerAndFit(sizer);
    window->Bind(wxEVT_BUTTON, [window](wxCommandEvent&) { window->Destroy(); }, wxID_OK);
    window->Bind(wxEVT_BUTTON, [window](wxCommandEvent&) { window->Destroy(); }, wxID_CANCEL);  // Escape
    window->Bind(wxEVT_CLOSE_WINDOW, [window](wxCloseEvent&) { window->Destroy(); });
    window->Show();
}
