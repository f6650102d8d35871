// The language of the window program's own texts: the user-interface language the driver uses
// (the --lang option, else the locale), so that a window and the driver's dialogs in it speak one
// language. Chinese texts come from the program's message catalog (vireo-host.mo, beside the
// program under share/locale), the toolkit's stock texts from the toolkit's own catalog.
#pragma once

#include <string>

#include <wx/intl.h>
#include <wx/string.h>

/// Makes the current user-interface language that of the texts the windows show from now on.
void UseUiLanguageForWindows();

class wxWindow;

/// Gives the stock push buttons (OK, Cancel) inside the window their labels in the windows'
/// language: the toolkit would draw its own stock labels, in the language of the desktop's locale.
void LabelStockButtons(wxWindow& window);

/// A message of the window program in the windows' language: the pattern's translation with the
/// values put in (wxString::Format: %s for a text), as UTF-8 for an error the windows show.
template <typename... Values>
std::string WindowMessage(const char* pattern, const Values&... values) {
    return wxString::Format(wxGetTranslation(pattern), values...).utf8_string();
}

/// A text of the host (a device name, a path) as a value of a window message.
inline wxString Shown(const std::string& text) { return wxString::FromUTF8(text); }
