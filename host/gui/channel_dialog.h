// The host's generic channel dialog: the fields of a channel description, offered as the driver
// describes them (SvrGetCofigPro): register type, data type (the texts of the chosen register
// type), address, count, read/write mode, the extra parameter (the string length), variable name
// and comment.
#pragma once

#include <wx/dialog.h>

#include "host/gui/gui_project.h"

class wxChoice;
class wxSpinCtrl;
class wxTextCtrl;

class ChannelDialog : public wxDialog {
public:
    ChannelDialog(wxWindow* parent, const SChannelConfig& config);

    /// The description of the channels to add, from the fields.
    SChlInfo Description() const;

    // The fields, named for tests and for the window's accessibility.
    wxChoice* registerChoice = nullptr;
    wxChoice* typeChoice = nullptr;
    wxTextCtrl* addressEdit = nullptr;
    wxSpinCtrl* countEdit = nullptr;
    wxChoice* rwChoice = nullptr;
    wxTextCtrl* paramEdit = nullptr;
    wxTextCtrl* varEdit = nullptr;
    wxTextCtrl* commentEdit = nullptr;

private:
    void FillDataTypes();

    const SChannelConfig& config_;
};
