#include "core/language_library.h"

#include "core/text_tables.h"
#include "platform/path_names.h"
#include "platform/resources.h"

namespace {

/// The driver's own module: the one that holds this code.
HMODULE OwnModule() { return GetModuleHandleFromAddress(reinterpret_cast<const void*>(&LoadLanguageLibrary)); }

bool IsChinese(LANGID lang) { return PrimaryLangId(lang) == PrimaryLangId(kLangChineseSimplified); }

}  // namespace

HMODULE LoadLanguageLibrary() { return LoadLanguageLibraryBeside(OwnModule()); }

HMODULE LoadLanguageLibraryBeside(HMODULE module) {
    if (IsChinese(GetThreadUILanguage())) return nullptr;
    const CString moduleFile = GetModuleFileNameW(module);
    if (moduleFile.ReverseFind(u'/') < 0) return nullptr;
    const CString folder = FolderOf(moduleFile);
    const CString previousDirectory = GetCurrentDirectoryW();
    // Without a directory to go back to, the process must not be left in the driver's folder: the
    // library is then loaded by its full path.
    if (previousDirectory.IsEmpty()) return LoadLibraryW(PathBeside(moduleFile, kLanguageLibraryName));
    // A folder that cannot be entered would leave the relative name to be found in whatever folder
    // is current, which may hold a stranger's module of that name: nothing is loaded then.
    if (!SetCurrentDirectoryW(folder)) return nullptr;
    const HMODULE library = LoadLibraryW(kLanguageLibraryName);
    SetCurrentDirectoryW(previousDirectory);
    return library;
}

int LoadLanguageStrings(LANGID lang) {
    const HMODULE library = LoadLanguageLibrary();
    if (!library) return -1;
    FillTextTables(library, lang);
    FreeLibrary(library);
    return 0;
}

CLanguageResourceScope::CLanguageResourceScope()
    : previous_(AfxGetResourceHandle()), languageLibrary_(LoadLanguageLibrary()) {
    if (languageLibrary_) AfxSetResourceHandle(languageLibrary_);
    else if (const HMODULE own = OwnModule()) AfxSetResourceHandle(own);
}

CLanguageResourceScope::~CLanguageResourceScope() {
    AfxSetResourceHandle(previous_);
    if (languageLibrary_) FreeLibrary(languageLibrary_);
}
