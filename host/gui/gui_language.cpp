#include "host/gui/gui_language.h"

#include <wx/button.h>
#include <wx/stockitem.h>
#include <wx/translation.h>

#include "host/gui/installed_files.h"
#include "platform/ui_language.h"

namespace {

/// The catalogs' folder beside this program: <prefix>/share/locale.
void AddCatalogFolderOnce() {
    static const bool added = [] {
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(InstalledFile("share/locale"));
        return true;
    }();
    (void)added;
}

/// The text as markup that shows it as it is.
wxString MarkupOf(wxString text) {
    text.Replace("&", "&amp;&amp;");  // a single "&amp;" marks a mnemonic
    text.Replace("<", "&lt;");
    text.Replace(">", "&gt;");
    return text;
}

}  // namespace

void UseUiLanguageForWindows() {
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);  // owns it from now on, and drops the one before
    if (PrimaryLangId(GetThreadUILanguage()) != PrimaryLangId(kLangChineseSimplified)) return;
    AddCatalogFolderOnce();
    translations->SetLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED);
    translations->AddStdCatalog();
    translations->AddCatalog("vireo-host");
}

void LabelStockButtons(wxWindow& window) {
    for (wxWindow* child : window.GetChildren()) {
        // A label that equals the stock label keeps the toolkit's stock item; markup is put on the
        // button's own label as it stands.
        if (auto* button = dynamic_cast<wxButton*>(child); button && wxIsStockID(button->GetId()))
            button->SetLabelMarkup(MarkupOf(wxGetStockLabel(button->GetId(), wxSTOCK_NOFLAGS)));
        LabelStockButtons(*child);
    }
}
