// Resources carried by a module: strings by number and language, dialog templates by number, raw
// resources by type and number. Each module's table is compiled from its resource script and
// registers itself when the module is loaded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/cstring.h"
#include "platform/module.h"
#include "platform/ui_language.h"

constexpr LANGID kLangNeutral = 0;

/// Resource types of raw resources.
inline constexpr const char16_t* RT_DIALOG = u"DIALOG";

struct SStringResource {
    uint32_t id;
    LANGID lang;
    const char16_t* text;
};

struct SRawResource {
    const char16_t* type;
    uint32_t id;
    const uint8_t* data;
    uint32_t size;
};

struct SModuleResources {
    const SStringResource* strings;
    size_t stringCount;
    const SRawResource* raws;
    size_t rawCount;
};

/// Registers a module's resource table for as long as the object lives (a static object in the
/// module's generated resource file: it lives from load to unload).
class CResourceRegistration {
public:
    explicit CResourceRegistration(const SModuleResources* table);
    ~CResourceRegistration();
    CResourceRegistration(const CResourceRegistration&) = delete;
    CResourceRegistration& operator=(const CResourceRegistration&) = delete;

private:
    const SModuleResources* table_;
};

using HRSRC = const SRawResource*;
using HGLOBAL = const SRawResource*;

/// The raw resource of this type and number in the module (null: the host program), or null.
HRSRC FindResourceW(HMODULE module, uint32_t id, const char16_t* type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL resource);
uint32_t SizeofResource(HMODULE module, HRSRC resource);

/// Loads string number id of the module in the given language (a language-neutral string serves
/// any language). True and the text when the module has it; false and nothing changed otherwise.
bool LoadStringW(HMODULE module, uint32_t id, LANGID lang, CString& text);

/// The module whose resources the framework uses now: where dialogs and help are taken from.
/// Starts as null (the host program) until a module makes itself current.
HMODULE AfxGetResourceHandle();
void AfxSetResourceHandle(HMODULE module);
