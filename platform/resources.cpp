#include "platform/resources.h"

#include <algorithm>
#include <vector>

namespace {

struct SRegisteredTable {
    const SModuleResources* table;
    HMODULE module;
};

std::vector<SRegisteredTable>& Registered() {
    static std::vector<SRegisteredTable> tables;
    return tables;
}

HMODULE g_resourceHandle = nullptr;

/// The module's table; null names the host program.
const SModuleResources* TableOf(HMODULE module) {
    if (!module) module = GetProgramModuleHandle();
    for (const SRegisteredTable& entry : Registered())
        if (entry.module == module) return entry.table;
    return nullptr;
}

}  // namespace

CResourceRegistration::CResourceRegistration(const SModuleResources* table) : table_(table) {
    Registered().push_back({table, GetModuleHandleFromAddress(table)});
}

CResourceRegistration::~CResourceRegistration() {
    auto& tables = Registered();
    std::erase_if(tables, [this](const SRegisteredTable& entry) { return entry.table == table_; });
}

HRSRC FindResourceW(HMODULE module, uint32_t id, const char16_t* type) {
    const SModuleResources* table = TableOf(module);
    if (!table || !type) return nullptr;
    for (size_t i = 0; i < table->rawCount; ++i) {
        const SRawResource& raw = table->raws[i];
        if (raw.id == id && std::u16string_view(raw.type) == type) return &raw;
    }
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }
const void* LockResource(HGLOBAL resource) { return resource ? resource->data : nullptr; }
uint32_t SizeofResource(HMODULE, HRSRC resource) { return resource ? resource->size : 0; }

bool LoadStringW(HMODULE module, uint32_t id, LANGID lang, CString& text) {
    const SModuleResources* table = TableOf(module);
    if (!table) return false;
    // Strings are sorted by number, then language, by the resource compiler.
    const SStringResource* first = table->strings;
    const SStringResource* last = first + table->stringCount;
    auto it = std::lower_bound(first, last, id, [](const SStringResource& s, uint32_t key) { return s.id < key; });
    const SStringResource* neutral = nullptr;
    for (; it != last && it->id == id; ++it) {
        if (it->lang == lang) {
            text = it->text;
            return true;
        }
        if (it->lang == kLangNeutral) neutral = it;
    }
    if (!neutral) return false;
    text = neutral->text;
    return true;
}

HMODULE AfxGetResourceHandle() { return g_resourceHandle; }
void AfxSetResourceHandle(HMODULE module) { g_resourceHandle = module; }
