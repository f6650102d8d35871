#include "platform/ui_language.h"

#include <cstdlib>
#include <string_view>

namespace {

LANGID g_override = 0;

LANGID FromLocaleName(std::string_view name) {
    return name.substr(0, 2) == "zh" ? kLangChineseSimplified : kLangEnglishUS;
}

}  // namespace

LANGID GetThreadUILanguage() {
    if (g_override) return g_override;
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return FromLocaleName(value);
    }
    return kLangEnglishUS;
}

void SetThreadUILanguageOverride(LANGID lang) { g_override = lang; }
