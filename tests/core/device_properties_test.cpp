// The six device properties as the host's property editor sees them: shown texts, edited texts
// taken back, the value texts of enumerated properties, and records holding other than six values.
#include <gtest/gtest.h>

#include "test_device.h"

namespace {

using Texts = std::vector<std::u16string>;

struct Shown {
    Texts names, values;
    std::vector<int> enumerated;
};

Shown Show(TestDevice& device) {
    CStringArray names, values;
    CByteArray enumerated;
    EXPECT_EQ(SvrGetProperty(&device.object, names, values, enumerated), 1);
    Shown shown;
    for (const CString& name : names) shown.names.push_back(name.str());
    for (const CString& value : values) shown.values.push_back(value.str());
    for (uint8_t flag : enumerated) shown.enumerated.push_back(flag);
    return shown;
}

CStringArray ToArray(const Texts& texts) {
    CStringArray array;
    for (const std::u16string& text : texts) array.Add(text);
    return array;
}

/// Sets values by position with the given names, as the host passes its full lists.
void Set(TestDevice& device, const Texts& names, const Texts& values) {
    CStringArray nameArray = ToArray(names), valueArray = ToArray(values);
    EXPECT_EQ(SvrSetProperty(&device.object, nameArray, valueArray), 1);
}

const Texts kNames = {u"TCP/IP通讯延时", u"重建TCP/IP连接等待时间[s]", u"机架号[Rack]", u"槽号[Slot]", u"字符串编码", u"字符串解码顺序"};

}  // namespace

TEST(DevicePropertiesTest, DefaultsAreShownWithTheirTexts) {
    TestDevice device;
    const Shown shown = Show(device);
    EXPECT_EQ(shown.names, kNames);
    EXPECT_EQ(shown.values, (Texts{u"200", u"10", u"0", u"1", u"0 - ASCII", u"0 - 21"}));
    EXPECT_EQ(shown.enumerated, (std::vector<int>{0, 0, 0, 0, 1, 1}));
}

TEST(DevicePropertiesTest, FreeValuesAreReadAsHexadecimalAfter0xElseDecimal) {
    TestDevice device;
    Set(device, kNames, {u"abc", u"", u"  0x1f \t", u"12abc", u"0 - ASCII", u"0 - 21"});
    EXPECT_EQ(Show(device).values, (Texts{u"0", u"10", u"31", u"12", u"0 - ASCII", u"0 - 21"}));
    Set(device, kNames, {u"-40", u" +7 ", u"x0X10", u"0x", u"", u""});
    EXPECT_EQ(Show(device).values, (Texts{u"-40", u"7", u"16", u"0", u"0 - ASCII", u"0 - 21"}));
    // What was set is in the stored image.
    TestDevice reader(device.Image());
    EXPECT_EQ(Show(reader).values, (Texts{u"-40", u"7", u"16", u"0", u"0 - ASCII", u"0 - 21"}));
}

TEST(DevicePropertiesTest, EnumeratedValuesMatchTheirTextsIgnoringCase) {
    TestDevice device;
    Set(device, kNames, {u"", u"", u"", u"", u"1 - unicode", u"1 - 12"});
    EXPECT_EQ(Show(device).values, (Texts{u"200", u"10", u"0", u"1", u"1 - UNICODE", u"1 - 12"}));
    // A text that is not one of the value texts keeps the value.
    Set(device, kNames, {u"", u"", u"", u"", u"1", u"1 - 21"});
    EXPECT_EQ(Show(device).values, (Texts{u"200", u"10", u"0", u"1", u"1 - UNICODE", u"1 - 12"}));
}

TEST(DevicePropertiesTest, NamesAreComparedByPositionIgnoringCase) {
    TestDevice device;
    // The first two names swapped: their positions are skipped; the others are taken.
    Set(device, {kNames[1], kNames[0], u"机架号[RACK]", u"槽号[slot]", kNames[4], u"other"},
        {u"1", u"2", u"3", u"4", u"1 - UNICODE", u"1 - 12"});
    EXPECT_EQ(Show(device).values, (Texts{u"200", u"10", u"3", u"4", u"1 - UNICODE", u"0 - 21"}));
    // A shorter list sets only its positions; an empty list changes nothing.
    Set(device, {kNames[0]}, {u"99"});
    Set(device, {}, {});
    EXPECT_EQ(Show(device).values, (Texts{u"99", u"10", u"3", u"4", u"1 - UNICODE", u"0 - 21"}));
    // A values list shorter than the names list raises the invalid-argument exception.
    CStringArray names = ToArray(kNames), values = ToArray({u"1", u"2"});
    EXPECT_THROW(SvrSetProperty(&device.object, names, values), CInvalidArgException);
}

TEST(DevicePropertiesTest, EnumPropertyValueAppendsTheTextsOfAnEnumeratedProperty) {
    TestDevice device;
    CStringArray list;
    list.Add(u"already");
    EXPECT_EQ(SvrEnumPropertyValue(&device.object, u"槽号[Slot]", list), 1);
    EXPECT_EQ(SvrEnumPropertyValue(&device.object, u"no such property", list), 1);
    EXPECT_EQ(list.GetSize(), 1);
    SvrEnumPropertyValue(&device.object, u"字符串解码顺序", list);
    SvrEnumPropertyValue(&device.object, u"字符串编码", list);
    ASSERT_EQ(list.GetSize(), 5);
    EXPECT_EQ(list[0], u"already");
    EXPECT_EQ(list[1], u"0 - 21");
    EXPECT_EQ(list[2], u"1 - 12");
    EXPECT_EQ(list[3], u"0 - ASCII");
    EXPECT_EQ(list[4], u"1 - UNICODE");
}

TEST(DevicePropertiesTest, StoredListsOfOtherLengthsAndValuesOutsideTheTexts) {
    // Three stored values: the missing positions show their defaults.
    TestDevice shortList(ImageWriter().Header(20001, {300, 20, 4}, 0, 0).bytes());
    Shown shown = Show(shortList);
    EXPECT_EQ(shown.values, (Texts{u"300", u"20", u"4", u"1", u"0 - ASCII", u"0 - 21"}));
    // The host sets what it was shown, with one change: the next image holds six values.
    shown.values[3] = std::u16string(u"2");
    Set(shortList, shown.names, shown.values);
    EXPECT_EQ(shortList.Image(), ImageWriter().Header(20001, {300, 20, 4, 2, 0, 0}, 0, 0).bytes());

    // Enumerated values outside their texts (only an image can hold them) show as numbers.
    TestDevice outside(ImageWriter().Header(20001, {1, 2, 3, 4, 5, -1, 77}, 0, 0).bytes());
    shown = Show(outside);
    EXPECT_EQ(shown.values, (Texts{u"1", u"2", u"3", u"4", u"5", u"-1"}));
    EXPECT_EQ(shown.enumerated, (std::vector<int>{0, 0, 0, 0, 1, 1}));
    // A seventh stored value is kept as it was.
    Set(outside, kNames, {u"", u"", u"", u"", u"", u"0 - 21"});
    EXPECT_EQ(outside.Image(), ImageWriter().Header(20001, {1, 2, 3, 4, 5, 0, 77}, 0, 0).bytes());
}

TEST(DevicePropertiesTest, EditPropertiesOnlySetsItsFlag) {
    uint8_t changed = 0, untouched = 0;
    EXPECT_EQ(SvrEditProperties(&untouched, &changed, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(untouched, 0);
}
