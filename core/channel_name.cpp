#include "core/channel_name.h"

#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/dev_row.h"
#include "platform/cstring.h"

void AppendDecimal(std::u16string& text, int value, int digits) {
    char16_t reversed[16];
    int count = 0;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        reversed[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) text += u'-';
    for (int i = count; i < digits; ++i) text += u'0';
    while (count > 0) text += reversed[--count];
}

namespace {

/// Appends value formatted with a register type's address or bit format. The formats the register
/// types use are written directly (a name is formed for every row of a large import and of every
/// image stored); any other goes through Formatted.
void AppendFormatted(std::u16string& text, const char16_t* format, int value) {
    const std::u16string_view form(format);
    if (form == u"%.3d") {
        AppendDecimal(text, value, 3);
    } else if (form == u".%1d") {
        text += u'.';
        AppendDecimal(text, value, 1);
    } else {
        text += CString::Formatted(format, value).view();
    }
}

}  // namespace

void FormChannelName(const CDevRow& row, std::u16string_view rwText, std::u16string& name) {
    const int regType = row.GetInt(kColRegType);
    const int code = row.GetInt(kColTypeCode);
    const SRegisterType* reg = RegisterTypeAt(regType);
    name.clear();
    if (regType == kRegisterV) {
        name += u"DB";
        AppendDecimal(name, row.GetInt(kColBlock), 1);
        name += u':';
    } else if (reg) {
        name += reg->letter;
    }
    // A register type outside the four (only a damaged image holds one) gets no letter.
    name += rwText;
    if (code >= kFirstNumberCode) {
        if (const char16_t* nameCode = TypeNameCode(code)) name += nameCode;
    }
    AppendFormatted(name, reg ? reg->addressFormat : u"%.3d", row.GetInt(kColAddress));
    if (reg && *reg->bitFormat && code < 16) AppendFormatted(name, reg->bitFormat, code);
    if (code == kStringCode) {
        name += u'_';
        AppendDecimal(name, row.GetInt(kColBit), 1);
    }
    for (char16_t& ch : name)
        if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
}

bool ChannelNameReads(int column) {
    return column == kColRegType || column == kColTypeCode || column == kColBlock || column == kColAddress || column == kColBit;
}
