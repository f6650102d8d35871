#include "core/device_properties.h"

#include <algorithm>

#include "core/text_tables.h"

namespace {

struct SPropertyDef {
    int32_t defaultValue;
    int valueTextCount;  ///< 0 for a free property
};

const SPropertyDef kProperties[kPropertyCount] = {
    {200, 0},  // TCP/IP communication delay
    {10, 0},   // wait before re-establishing the connection, seconds
    {0, 0},    // rack
    {1, 0},    // slot
    {0, 2},    // string encoding: ASCII, UNICODE
    {0, 2},    // string decoding order: 21, 12
};

/// Where the property's value texts start in the flat list of all enumerated value texts.
int FirstValueText(int property) {
    int first = 0;
    for (int i = 0; i < property; ++i) first += kProperties[i].valueTextCount;
    return first;
}

int32_t ValueAt(const CArray<int32_t>& values, int property) {
    return property < values.GetSize() ? values[property] : kProperties[property].defaultValue;
}

/// A free property's text: hexadecimal after "0X", otherwise decimal; no number gives 0.
int32_t ParseFreeValue(CString text) {
    text.Trim();
    text.MakeUpper();
    int value = 0;
    const int hex = text.Find(u"0X");
    if (hex >= 0) ScanHex(text.Mid(hex + 2).view(), value);
    else ScanDecimal(text.view(), value);
    return value;
}

}  // namespace

void SetDefaultProperties(CArray<int32_t>& values) {
    values.SetSize(kPropertyCount);
    for (int i = 0; i < kPropertyCount; ++i) values[i] = kProperties[i].defaultValue;
}

void DescribeProperties(const CArray<int32_t>& values, CStringArray& names, CStringArray& texts, CByteArray& enumerated) {
    names.SetSize(kPropertyCount);
    texts.SetSize(kPropertyCount);
    enumerated.SetSize(kPropertyCount);
    for (int i = 0; i < kPropertyCount; ++i) {
        names[i] = Text(kPropertyNameTexts, i);
        const int32_t value = ValueAt(values, i);
        const bool isEnumerated = kProperties[i].valueTextCount > 0;
        enumerated[i] = isEnumerated ? 1 : 0;
        if (isEnumerated && value >= 0 && value < kProperties[i].valueTextCount)
            texts[i] = Text(kEnumValueTexts, FirstValueText(i) + value);
        else
            texts[i] = CString::Formatted(u"%d", value);
    }
}

void TakeProperties(CArray<int32_t>& values, const CStringArray& names, const CStringArray& texts) {
    const int k = std::min(kPropertyCount, names.GetSize());
    for (int i = 0; i < k; ++i) {
        if (names[i].CompareNoCase(Text(kPropertyNameTexts, i)) != 0) continue;
        const CString& text = texts[i];
        while (values.GetSize() <= i) values.Add(kProperties[values.GetSize()].defaultValue);
        if (kProperties[i].valueTextCount > 0) {
            for (int v = 0; v < kProperties[i].valueTextCount; ++v) {
                if (text.CompareNoCase(Text(kEnumValueTexts, FirstValueText(i) + v)) == 0) {
                    values[i] = v;
                    break;
                }
            }
        } else if (!text.IsEmpty()) {
            values[i] = ParseFreeValue(text);
        }
    }
}

void AppendPropertyValueTexts(const CString& name, CStringArray& texts) {
    for (int i = 0; i < kPropertyCount; ++i) {
        if (kProperties[i].valueTextCount == 0 || name.CompareNoCase(Text(kPropertyNameTexts, i)) != 0) continue;
        for (int v = 0; v < kProperties[i].valueTextCount; ++v) texts.Add(Text(kEnumValueTexts, FirstValueText(i) + v));
    }
}
