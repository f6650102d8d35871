#include "host/wx_backend/message_box_labels.h"

#include <wx/stockitem.h>

namespace {

/// The label as a text of its own: a stock identifier would bring back the desktop's label.
wxMessageDialog::ButtonLabel Label(int id) { return wxMessageDialog::ButtonLabel(wxString(wxGetStockLabel(id))); }

}  // namespace

void LabelButtonsInUiLanguage(wxMessageDialog& box) {
    if (box.HasCustomLabels()) return;
    const long style = box.GetMessageDialogStyle();
    if (style & wxYES_NO) {
        if (style & wxCANCEL) box.SetYesNoCancelLabels(Label(wxID_YES), Label(wxID_NO), Label(wxID_CANCEL));
        else box.SetYesNoLabels(Label(wxID_YES), Label(wxID_NO));
    } else {
        if (style & wxCANCEL) box.SetOKCancelLabels(Label(wxID_OK), Label(wxID_CANCEL));
        else box.SetOKLabel(Label(wxID_OK));
    }
}

int MessageBoxInUiLanguage(const wxString& text, const wxString& caption, long style, wxWindow* parent) {
    wxMessageDialog box(parent, text, caption, style);
    LabelButtonsInUiLanguage(box);
    switch (box.ShowModal()) {
        case wxID_YES: return wxYES;
        case wxID_NO: return wxNO;
        case wxID_OK: return wxOK;
        default: return wxCANCEL;
    }
}
