#include "host/gui/gui_language.h"

#include <wx/translation.h>

#include "platform/module.h"
#include "platform/path_names.h"
#include "platform/ui_language.h"
#include "host/wx_backend/wx_text.h"

namespace {

/// The catalogs' folder beside this program: <prefix>/share/locale for <prefix>/lib/this library.
void AddCatalogFolderOnce() {
    static const bool added = [] {
        const CString module = GetModuleFileNameW(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&AddCatalogFolderOnce)));
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(ToWx(FolderOf(module)) + "/../share/locale");
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
