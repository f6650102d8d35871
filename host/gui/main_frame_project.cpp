// The main window's File and Help menus: new, open and save-as of the project file, recent
// projects, the export of the channel table, the manual and the About box.
#include <wx/aboutdlg.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/textctrl.h>
#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/fileconf.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>
#include <wx/version.h>

#include "host/gui/main_frame.h"
#include "host/gui/gui_language.h"
#include "host/gui/installed_files.h"
#include "host/project/host_context.h"
#include "host/wx_backend/wx_text.h"

namespace {

constexpr int kRecentProjects = 9;
const char kProjectFiles[] = "*.vproj";

/// The recent projects, in the user's configuration folder (XDG: $XDG_CONFIG_HOME/vireo-host).
std::unique_ptr<wxFileConfig> RecentProjectsConfig() {
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const wxString folder = wxStandardPaths::Get().GetUserConfigDir() + "/vireo-host";
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, folder + "/recent-projects");
}

}  // namespace

wxMenu* MainFrame::BuildFileMenu() {
    auto* file = new wxMenu;
    file->Append(kNewProject, _("&New project..."));
    file->Append(kOpenProject, _("&Open project...\tCtrl+O"));
    file->Append(kSaveProjectAs, _("Save project &as...\tCtrl+Shift+S"));
    auto* recent = new wxMenu;
    file->AppendSubMenu(recent, _("&Recent projects"));
    file->AppendSeparator();
    file->Append(kExportChannels, _("&Export channels...\tCtrl+E"));
    file->AppendSeparator();
    file->Append(wxID_EXIT, _("&Quit\tCtrl+Q"));

    recent_ = std::make_unique<wxFileHistory>(kRecentProjects, kFirstRecentProject);
    recent_->UseMenu(recent);
    std::unique_ptr<wxFileConfig> config = RecentProjectsConfig();
    recent_->Load(*config);
    recent_->AddFilesToMenu(recent);

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndOpenProject(false); }, kNewProject);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndOpenProject(true); }, kOpenProject);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndSaveProjectAs(); }, kSaveProjectAs);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AskAndExportChannels(); }, kExportChannels);
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
        const wxString path = recent_->GetHistoryFile(static_cast<size_t>(event.GetId() - kFirstRecentProject));
        Guard([&] { OpenProject(path.utf8_string(), true); });
    }, kFirstRecentProject, kFirstRecentProject + kRecentProjects - 1);
    return file;
}

wxMenu* MainFrame::BuildHelpMenu() {
    auto* help = new wxMenu;
    help->Append(kManual, _("&Manual\tF1"));
    help->Append(wxID_ABOUT, _("&About vireo-host"));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Guard([this] { ShowManual(); }); }, kManual);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowAbout(); }, wxID_ABOUT);
    return help;
}

void MainFrame::OpenProject(const std::string& path, bool mustExist) {
    project_.UseProject(path, mustExist);
    device_.clear();
    recent_->AddFileToHistory(wxString::FromUTF8(path));
    std::unique_ptr<wxFileConfig> config = RecentProjectsConfig();
    recent_->Save(*config);
    ShowProjectInTitle();
    Reload();
}

void MainFrame::SaveProjectAs(const std::string& path) {
    project_.SaveProjectAs(path);
    recent_->AddFileToHistory(wxString::FromUTF8(path));
    std::unique_ptr<wxFileConfig> config = RecentProjectsConfig();
    recent_->Save(*config);
    ShowProjectInTitle();
}

void MainFrame::ExportChannels(const std::string& path, TableFormat format) {
    if (device_.empty()) return;
    project_.ExportChannels(device_, path, format);
    SetStatusText(wxString::Format(_("Channels of %s written to %s"), wxString::FromUTF8(device_), wxString::FromUTF8(path)));
}

void MainFrame::ShowProjectInTitle() { SetTitle(wxString::Format("vireo-host - %s", wxString::FromUTF8(project_.Path()))); }

void MainFrame::AskAndOpenProject(bool mustExist) {
    const long style = mustExist ? wxFD_OPEN | wxFD_FILE_MUST_EXIST : wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    wxFileDialog ask(this, mustExist ? _("Open project") : _("New project"), wxEmptyString, wxEmptyString,
                     _("Projects (*.vproj)") + "|" + kProjectFiles, style);
    if (ask.ShowModal() != wxID_OK) return;
    Guard([&] { OpenProject(ask.GetPath().utf8_string(), mustExist); });
}

void MainFrame::AskAndSaveProjectAs() {
    wxFileDialog ask(this, _("Save project as"), wxEmptyString, wxEmptyString, _("Projects (*.vproj)") + "|" + kProjectFiles,
                     wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (ask.ShowModal() != wxID_OK) return;
    Guard([&] { SaveProjectAs(ask.GetPath().utf8_string()); });
}

void MainFrame::AskAndExportChannels() {
    if (device_.empty()) return;
    wxFileDialog ask(this, _("Export channels"), wxEmptyString, wxString::FromUTF8(device_) + ".csv", 
                     _("CSV (*.csv)|*.csv|JSON (*.json)|*.json|TSV (*.tsv)|*.tsv"), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (ask.ShowModal() != wxID_OK) return;
    const TableFormat formats[] = {TableFormat::kCsv, TableFormat::kJson, TableFormat::kTsv};
    const int index = ask.GetFilterIndex();
    Guard([&] { ExportChannels(ask.GetPath().utf8_string(), formats[index >= 0 && index < 3 ? index : 0]); });
}

void MainFrame::ShowManual() {
    const wxString page = InstalledFile("share/man/man1/vireo-host.1");
    if (!wxFileExists(page)) throw HostError(WindowMessage("the manual page is not installed: %s", page));
    wxArrayString output, errors;
    wxExecuteEnv environment;
    wxGetEnvMap(&environment.env);
    environment.env["MANWIDTH"] = "100";
    wxString quoted = page;
    quoted.Replace("\\", "\\\\");
    quoted.Replace("\"", "\\\"");
    if (wxExecute("man -l \"" + quoted + "\"", output, errors, wxEXEC_SYNC, &environment) != 0 || output.IsEmpty())
        throw HostError(WindowMessage("man could not show the manual page %s", page));
    wxString text;
    for (const wxString& line : output) text << line << "\n";
    auto* window = new wxDialog(this, wxID_ANY, _("vireo-host manual"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* shown = new wxTextCtrl(window, wxID_ANY, text, wxDefaultPosition, FromDIP(wxSize(900, 600)), wxTE_MULTILINE | wxTE_READONLY | wxHSCROLL);
    shown->SetFont(wxFont(wxFontInfo().Family(wxFONTFAMILY_TELETYPE)));
    shown->SetInsertionPoint(0);  // the reader starts at the top
    sizer->Add(shown, 1, wxEXPAND | wxALL, FromDIP(8));
    window->SetSizerAndFit(sizer);
    window->Bind(wxEVT_CLOSE_WINDOW, [window](wxCloseEvent&) { window->Destroy(); });
    window->Show();
}

void MainFrame::ShowAbout() {
    wxAboutDialogInfo about;
    about.SetName("vireo-host");
    about.SetVersion(VIREO_VERSION);
    wxString description = _("Reference host of the S7-1200 configuration driver.");
    Guard([&] { description << "\n" << wxString::Format(_("Driver version %s"), wxString::FromUTF8(project_.DriverVersion())); });
    description << "\n" << wxVERSION_STRING;
    about.SetDescription(description);
    wxAboutBox(about, this);
}
