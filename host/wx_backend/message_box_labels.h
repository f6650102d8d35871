// Message boxes whose buttons speak the windows' language: the toolkit would label OK, Cancel, Yes
// and No with its own stock items, which follow the desktop's locale, not the program's --lang.
#pragma once

#include <wx/msgdlg.h>

/// Labels the box's standard buttons with the toolkit's stock labels in the program's language
/// (buttons given labels of their own before keep them).
void LabelButtonsInUiLanguage(wxMessageDialog& box);

/// wxMessageBox with its buttons so labelled: wxYES, wxNO, wxOK or wxCANCEL.
int MessageBoxInUiLanguage(const wxString& text, const wxString& caption, long style, wxWindow* parent);
