#include "types/elementary_types.h"

namespace {

struct SElementaryRow {
    const char16_t* name;
    const char16_t* bits;  // decimal text, as the table is written
};

// Table order matters: lookups take the first row that matches.
constexpr SElementaryRow kElementaryRows[] = {
    {u"Bool", u"1"},
    {u"Byte", u"8"}, {u"SInt", u"8"}, {u"USInt", u"8"}, {u"Char", u"8"},
    {u"Int", u"16"}, {u"UInt", u"16"}, {u"Word", u"16"}, {u"WChar", u"16"}, {u"S5Time", u"16"},
    {u"DInt", u"32"}, {u"UDInt", u"32"}, {u"DWord", u"32"}, {u"Real", u"32"},
    {u"LReal", u"64"},
    {u"String", u"2048"},
    {u"WString", u"4096"},
    {u"CONN_ANY", u"16"}, {u"CONN_OUC", u"16"}, {u"CONN_PRG", u"16"}, {u"DB_ANY", u"16"},
    {u"DB_DYN", u"16"}, {u"DB_WWW", u"16"}, {u"HW_ANY", u"16"}, {u"HW_DEVICE", u"16"},
    {u"HW_DPSLAVE", u"16"}, {u"HW_HSC", u"16"}, {u"HW_IEPORT", u"16"}, {u"HW_INTERFACE", u"16"},
    {u"HW_IO", u"16"}, {u"HW_IOSYSTEM", u"16"}, {u"HW_PTO", u"16"}, {u"HW_PWM", u"16"},
    {u"HW_SUBMODULE", u"16"}, {u"OB_STARTUP", u"16"}, {u"OB_ANY", u"16"}, {u"OB_ATT", u"16"},
    {u"OB_CYCLIC", u"16"}, {u"OB_DELAY", u"16"}, {u"Date", u"16"},
    {u"Time_Of_Day", u"32"}, {u"Time", u"32"},
    {u"OB_DIAG", u"16"}, {u"OB_HWINT", u"16"}, {u"OB_PCYCLE", u"16"}, {u"OB_STARTYP", u"16"},
    {u"OB_TIMEERROR", u"16"}, {u"OB_TOD", u"16"}, {u"PIP", u"16"}, {u"PORT", u"16"},
    {u"HW_MODULE", u"16"}, {u"HW_DPMASTER", u"16"}, {u"RTM", u"16"},
    {u"AOM_IDENT", u"32"}, {u"EVENT_ANY", u"32"}, {u"EVENT_ATT", u"32"}, {u"EVENT_HWINT", u"32"},
    {u"Date_And_Time", u"64"}, {u"LInt", u"64"}, {u"LTime", u"64"}, {u"LTime_Of_Day", u"64"},
    {u"LWord", u"64"}, {u"ULInt", u"64"},
    {u"CONN_R_ID", u"32"},
    // Shadowed by the predefined structures of the same names, which are looked up first.
    {u"LDT", u"64"}, {u"IEC_LCOUNTER", u"64"}, {u"IEC_LTIMER", u"64"}, {u"IEC_ULCOUNTER", u"64"},
};

char16_t FoldAscii(char16_t ch) { return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch - u'A' + u'a') : ch; }

}  // namespace

std::vector<STypeSize> BuildElementaryTypes() {
    std::vector<STypeSize> table;
    table.reserve(std::size(kElementaryRows));
    for (const SElementaryRow& row : kElementaryRows) {
        STypeSize entry{row.name, 0};
        ScanDecimal(row.bits, entry.Bits);
        table.push_back(std::move(entry));
    }
    return table;
}

size_t ElementaryTypeIndex::NoCaseHash::operator()(std::u16string_view text) const {
    size_t hash = 14695981039346656037ull;  // FNV-1a over the folded code units
    for (char16_t ch : text) hash = (hash ^ FoldAscii(ch)) * 1099511628211ull;
    return hash;
}

bool ElementaryTypeIndex::NoCaseEqual::operator()(std::u16string_view a, std::u16string_view b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

ElementaryTypeIndex::ElementaryTypeIndex(const std::vector<STypeSize>& table) {
    for (const STypeSize& row : table) byName_.try_emplace(row.Name.view(), &row);
}

const STypeSize* ElementaryTypeIndex::Find(std::u16string_view name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}
