#include "host/project/driver_text.h"

#include "core/language_library.h"
#include "platform/resources.h"

CString DriverText(HMODULE driverModule, uint32_t number) {
    CString text;
    if (HMODULE library = LoadLanguageLibraryBeside(driverModule)) {
        const bool found = LoadStringW(library, number, kLangEnglishUS, text);
        FreeLibrary(library);
        if (found) return text;
    }
    LoadStringW(driverModule, number, kLangChineseSimplified, text);
    return text;
}
