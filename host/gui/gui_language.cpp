#include "host/gui/gui_language.h"

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
