#include "host/gui/channel_dialog.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "host/gui/gui_language.h"
#include "host/wx_backend/wx_text.h"

namespace {

/// The largest number of channels one description expands into.
constexpr int kMostChannels = 5000;

}  // namespace

ChannelDialog::ChannelDialog(wxWindow* parent, const SChannelConfig& config)
    : wxDialog(parent, wxID_ANY, _("Add channels"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      config_(config) {
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    grid->AddGrowableCol(1);
    auto row = [&](const wxString& label, wxWindow* field) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 1, wxEXPAND);
    };
    registerChoice = new wxChoice(this, wxID_ANY);
    for (const CString& name : config.registerNames) registerChoice->Append(ToWx(name));
    registerChoice->SetName("register");
    row(_("Register type"), registerChoice);
    typeChoice = new wxChoice(this, wxID_ANY);
    typeChoice->SetName("data-type");
    row(_("Data type"), typeChoice);
    addressEdit = new wxTextCtrl(this, wxID_ANY, "0");
    addressEdit->SetName("address");
    addressEdit->SetToolTip(_("N or N_L (string length L); for data blocks D.N or D.N_L"));
    row(_("Address"), addressEdit);
    countEdit = new wxSpinCtrl(this, wxID_ANY, "1", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1, kMostChannels, 1);
    countEdit->SetName("count");
    row(_("Count"), countEdit);
    rwChoice = new wxChoice(this, wxID_ANY);
    rwChoice->Append(_("read only"));
    rwChoice->Append(_("write only"));
    rwChoice->Append(_("read and write"));
    rwChoice->SetSelection(2);
    rwChoice->SetName("read-write");
    row(_("Read/write"), rwChoice);
    const wxString paramName = config.paramNames.GetSize() > 0 ? ToWx(config.paramNames[0]) : _("String length");
    paramEdit = new wxTextCtrl(this, wxID_ANY, config.paramDefaults.GetSize() > 0 ? ToWx(config.paramDefaults[0]) : wxString());
    paramEdit->SetName("parameter");
    row(paramName, paramEdit);
    varEdit = new wxTextCtrl(this, wxID_ANY);
    varEdit->SetName("variable");
    row(_("Variable"), varEdit);
    commentEdit = new wxTextCtrl(this, wxID_ANY);
    commentEdit->SetName("comment");
    row(_("Comment"), commentEdit);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 1, wxEXPAND | wxALL, 10);
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    LabelStockButtons(*this);
    SetSizerAndFit(top);

    registerChoice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { FillDataTypes(); });
    if (!config.registerNames.IsEmpty()) registerChoice->SetSelection(0);
    FillDataTypes();
}

void ChannelDialog::FillDataTypes() {
    typeChoice->Clear();
    const int reg = registerChoice->GetSelection();
    if (reg < 0 || reg >= static_cast<int>(config_.dataTypes.size())) return;
    for (const CString& text : config_.dataTypes[reg]) typeChoice->Append(ToWx(text));
    if (typeChoice->GetCount() > 0) typeChoice->SetSelection(0);
}

SChlInfo ChannelDialog::Description() const {
    SChlInfo info;
    info.regType = registerChoice->GetSelection();
    info.typeIndex = typeChoice->GetSelection();
    info.address = FromWx(addressEdit->GetValue());
    info.chlCount = countEdit->GetValue();
    info.rwFlag = rwChoice->GetSelection();
    info.varName = FromWx(varEdit->GetValue());
    info.comment = FromWx(commentEdit->GetValue());
    info.paramNames.Copy(config_.paramNames);
    info.paramValues.Copy(config_.paramDefaults);
    info.paramValues.SetAtGrow(0, FromWx(paramEdit->GetValue()));
    return info;
}
