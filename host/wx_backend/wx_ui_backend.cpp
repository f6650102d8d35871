#include "host/wx_backend/wx_ui_backend.h"

#include <filesystem>

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/mimetype.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_record.h"
#include "host/wx_backend/compact_theme.h"
#include "host/wx_backend/dialog_mirror.h"
#include "host/wx_backend/message_box_labels.h"
#include "host/wx_backend/wx_text.h"

namespace {

/// While the user answers a question or works a dialog, the busy cursor of the handling that
/// asked is taken away, and given back afterwards.
class BusyCursorPause {
public:
    BusyCursorPause() {
        while (wxIsBusy()) {
            wxEndBusyCursor();
            ++depth_;
        }
    }
    ~BusyCursorPause() {
        for (int i = 0; i < depth_; ++i) wxBeginBusyCursor();
    }
    BusyCursorPause(const BusyCursorPause&) = delete;
    BusyCursorPause& operator=(const BusyCursorPause&) = delete;

private:
    int depth_ = 0;
};

long MessageBoxStyle(UINT type) {
    long style = 0;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_RETRYCANCEL: style = wxOK | wxCANCEL; break;
        case MB_YESNO: style = wxYES_NO; break;
        case MB_YESNOCANCEL:
        case MB_ABORTRETRYIGNORE: style = wxYES_NO | wxCANCEL; break;
        default: style = wxOK; break;
    }
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR: return style | wxICON_ERROR;
        case MB_ICONQUESTION: return style | wxICON_QUESTION;
        case MB_ICONWARNING: return style | wxICON_WARNING;
        case MB_ICONINFORMATION: return style | wxICON_INFORMATION;
        default: return style;
    }
}

/// The platform's answer for the toolkit's: the answers are offered in button order.
int AnswerOf(UINT type, int toolkitAnswer) {
    const std::vector<int> offered = MessageBoxAnswers(type);
    size_t position = 0;
    switch (toolkitAnswer) {
        case wxID_OK:
        case wxID_YES: position = 0; break;
        case wxID_NO: position = 1; break;
        default: position = offered.size() - 1; break;  // Cancel, the close box, Escape
    }
    if ((type & MB_TYPEMASK) == MB_YESNO && toolkitAnswer != wxID_YES) position = 1;
    return offered.empty() ? IDOK : offered[std::min(position, offered.size() - 1)];
}

wxString Wildcard(const std::vector<SFileFilter>& filters) {
    wxString wildcard;
    for (const SFileFilter& filter : filters) wildcard += (wildcard.empty() ? "" : "|") + ToWx(filter.name) + "|" + ToWx(filter.pattern);
    return wildcard.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : wildcard;
}

}  // namespace

wxWindow* WxUiBackend::Owner() const {
    if (!active_.empty()) return active_.back();
    if (owner_) return owner_;
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

void WxUiBackend::RunModalLoop(CDialog& dialog) {
    UseCompactControlStyle();
    BusyCursorPause pause;
    DialogMirror mirror(Owner(), dialog);
    active_.push_back(&mirror);
    struct PopActive {
        std::vector<DialogMirror*>& active;
        ~PopActive() { active.pop_back(); }
    } pop{active_};
    mirror.Deliver([] {});  // what the dialog posted to itself while it started
    mirror.Run(shown_);
}

int WxUiBackend::ShowMessageBox(const SMessageBoxRequest& request) {
    BusyCursorPause pause;
    const UINT type = request.type;
    wxMessageDialog box(Owner(), ToWx(request.text), ToWx(request.caption), MessageBoxStyle(type));
    if ((type & MB_TYPEMASK) == MB_RETRYCANCEL) box.SetOKCancelLabels(AnswerName(IDRETRY), AnswerName(IDCANCEL));
    if ((type & MB_TYPEMASK) == MB_ABORTRETRYIGNORE)
        box.SetYesNoCancelLabels(AnswerName(IDABORT), AnswerName(IDRETRY), AnswerName(IDIGNORE));
    LabelButtonsInUiLanguage(box);
    return AnswerOf(type, box.ShowModal());
}

bool WxUiBackend::ChooseFiles(const SFileDialogRequest& request, std::vector<CString>& paths) {
    BusyCursorPause pause;
    long style = request.open ? wxFD_OPEN : wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    if (request.open && request.multiple) style |= wxFD_MULTIPLE;
    if (request.open && request.mustExist) style |= wxFD_FILE_MUST_EXIST;
    const wxString title = request.title.IsEmpty() ? wxString(wxFileSelectorPromptStr) : ToWx(request.title);
    wxFileDialog picker(Owner(), title, wxString(), ToWx(request.fileName), Wildcard(request.filters), style);
    if (picker.ShowModal() != wxID_OK) return false;
    wxArrayString chosen;
    if (style & wxFD_MULTIPLE) picker.GetPaths(chosen);
    else chosen.Add(picker.GetPath());
    paths.clear();
    for (const wxString& path : chosen) paths.push_back(FromWx(path));
    return !paths.empty();
}

UINT WxUiBackend::TrackPopupMenu(const CMenu& menu, HWND owner, CPoint screenPoint) {
    BusyCursorPause pause;
    DialogMirror* dialog = ActiveDialog();
    wxMenu popup;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        const UINT state = menu.GetMenuState(i, MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            popup.AppendSeparator();
            continue;
        }
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        wxMenuItem* item = popup.Append(static_cast<int>(i) + 1, ToWx(text));
        item->Enable(!(state & (MF_GRAYED | MF_DISABLED)));
    }
    wxWindow* window = dialog ? static_cast<wxWindow*>(dialog) : Owner();
    if (!window) return 0;
    wxPoint at = wxDefaultPosition;
    if (const WindowRecord* top = dialog ? FindWindowRecord(dialog->Model().m_hWnd) : nullptr) {
        const CPoint origin = ClientOriginOnScreen(*top);
        at = dialog->Scale().ToScreen(CPoint(screenPoint.x - origin.x, screenPoint.y - origin.y));
    }
    const int picked = window->GetPopupMenuSelectionFromUser(popup, at);
    if (picked == wxID_NONE || picked < 1) return 0;
    return menu.GetMenuItemID(picked - 1);
}

bool WxUiBackend::ShellOpen(const SShellRequest& request) {
    const bool absolute = request.file.GetLength() > 0 && request.file[0] == u'/';
    const CString path = request.directory.IsEmpty() || absolute ? request.file : request.directory + u'/' + request.file;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(path.ToUtf8()), error)) return false;
    return wxLaunchDefaultApplication(ToWx(path));
}
