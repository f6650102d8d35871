// The language of the window program's own texts: the user-interface language the driver uses
// (the --lang option, else the locale), so that a window and the driver's dialogs in it speak one
// language. Chinese texts come from the program's message catalog (vireo-host.mo, beside the
// program under share/locale), the toolkit's stock texts from the toolkit's own catalog.
#pragma once

/// Makes the current user-interface language that of the texts the windows show from now on.
void UseUiLanguageForWindows();

class wxWindow;

/// Gives the stock push buttons (OK, Cancel) inside the window their labels in the windows'
/// language: the toolkit would draw its own stock labels, in the language of the desktop's locale.
void LabelStockButtons(wxWindow& window);
