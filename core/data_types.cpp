#include "core/data_types.h"

namespace {

const SRegisterType kRegisterTypes[kRegisterTypeCount] = {
    {u'I', 2, kDataTypesPerRegister, u"%.3d", u".%1d"},
    {u'Q', 2, kDataTypesPerRegister, u"%.3d", u".%1d"},
    {u'M', 2, kDataTypesPerRegister, u"%.3d", u".%1d"},
    {u'V', 2, kDataTypesPerRegister, u"%.3d", u".%1d"},
};

/// Codes 80 to 90: name code and size in bytes.
struct SNumberType {
    const char16_t* nameCode;
    int size;
};
const SNumberType kNumberTypes[] = {
    {u"BUB", 1}, {u"BB", 1}, {u"BD", 1}, {u"WUB", 2}, {u"WB", 2}, {u"WD", 2},
    {u"DUB", 4}, {u"DB", 4}, {u"DD", 4}, {u"DF", 4}, {u"LDF", 8},
};
constexpr int kNumberTypeCount = sizeof kNumberTypes / sizeof kNumberTypes[0];

}  // namespace

const SRegisterType* RegisterTypeAt(int regType) {
    return regType >= 0 && regType < kRegisterTypeCount ? &kRegisterTypes[regType] : nullptr;
}

STypeCode TypeIndexToCode(int index, int regType) {
    const SRegisterType* reg = RegisterTypeAt(regType);
    if (!reg || index < 0 || index >= reg->dataTypeCount) return {-1, 0};
    const int count = reg->dataTypeCount;
    if (count < 18 || count > 20) return {0, 0};
    if (index < 8) return {index, 8};
    if (index == count - 1 && count >= 19) return {kStringCode, 128};  // the string is always last
    const int code = kFirstNumberCode + index - 8;
    return {code, kNumberTypes[code - kFirstNumberCode].size};
}

int TypeCodeToIndex(int code, int regType) {
    const SRegisterType* reg = RegisterTypeAt(regType);
    const int count = reg ? reg->dataTypeCount : 0;
    if (count < 18 || count > 20) return 0;
    if (code < 8) return code;
    if (code == kStringCode) return count == 19 ? 18 : 19;
    return code - 72;
}

int ChannelKind(int code) {
    if (code == kStringCode) return 3;
    if (code >= 80) return 2;
    if (code >= 9 && code <= 19) return -1;
    return 1;
}

const char16_t* TypeNameCode(int code) {
    if (code == kStringCode) return u"STR";
    if (code >= kFirstNumberCode && code < kFirstNumberCode + kNumberTypeCount) return kNumberTypes[code - kFirstNumberCode].nameCode;
    return nullptr;
}
