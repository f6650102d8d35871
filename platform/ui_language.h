// The user-interface language the platform reports, as a Windows language identifier.
#pragma once

#include <cstdint>

using LANGID = uint16_t;

constexpr LANGID kLangChineseSimplified = 0x0804;
constexpr LANGID kLangEnglishUS = 0x0409;

/// The primary language of a language identifier (its low 10 bits); Chinese is 4.
constexpr unsigned PrimaryLangId(LANGID lang) { return lang & 0x3FF; }

/// The language of the user interface: the override when one is set, otherwise from the first set
/// locale variable of LANGUAGE, LC_ALL, LC_MESSAGES and LANG: "zh..." is Chinese, anything else
/// (or nothing set) is English.
LANGID GetThreadUILanguage();
/// Sets a process-wide override (the host's --lang option, tests); 0 removes it.
void SetThreadUILanguageOverride(LANGID lang);
