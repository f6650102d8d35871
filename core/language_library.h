// The language resource library: a module beside the driver that carries its texts, dialogs and
// documents in another language. It is used when the user interface is not Chinese.
#pragma once

#include "platform/module.h"
#include "platform/ui_language.h"

/// The file name the language library is loaded by, from the driver's own folder.
inline constexpr const char16_t* kLanguageLibraryName = u"Vireo_EX_lang.dll";

/// Loads the language library from the folder of the driver's own module file, by its relative
/// name with that folder made current for the moment of the load. Null when the user interface is
/// Chinese (the built-in texts serve) or when the library cannot be loaded. The caller frees it.
HMODULE LoadLanguageLibrary();

/// The same for the driver that holds module: what a host that shows the driver's texts loads.
HMODULE LoadLanguageLibraryBeside(HMODULE module);

/// Replaces the process-wide text tables by the language library's strings of the given language
/// (see FillTextTables for the rule), then unloads the library. -1 when no language library was
/// loaded, the tables left as they were; 0 otherwise.
int LoadLanguageStrings(LANGID lang);

/// For the time of the driver's top-level dialog: makes the language library the module whose
/// resources the framework uses, or the driver's own module when there is no language library; at
/// the end restores the handle that was current before and unloads the language library.
class CLanguageResourceScope {
public:
    CLanguageResourceScope();
    ~CLanguageResourceScope();
    CLanguageResourceScope(const CLanguageResourceScope&) = delete;
    CLanguageResourceScope& operator=(const CLanguageResourceScope&) = delete;

    /// The loaded language library, or null.
    HMODULE LanguageLibrary() const { return languageLibrary_; }

private:
    HMODULE previous_;
    HMODULE languageLibrary_;
};
