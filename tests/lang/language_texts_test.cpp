// The language texts as the host sees them through the exports, with the real English library,
// a library with gaps, no library, and a Chinese user interface.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_copy.h"

namespace {

using Texts = std::vector<std::u16string>;

Texts ToTexts(const CStringArray& list) {
    Texts texts;
    for (const CString& text : list) texts.push_back(text.str());
    return texts;
}

/// The property names, or with values set their value texts.
Texts Properties(const DriverCopy& driver, HostDevice& device, bool values = false) {
    CStringArray names, texts;
    CByteArray enumerated;
    driver.Export<SvrGetPropertyFn>("SvrGetProperty")(&device.object, names, texts, enumerated);
    return ToTexts(values ? texts : names);
}

/// The device name, the custom entry and the extra parameter name: one text from each table.
Texts InfoTexts(const DriverCopy& driver, HostDevice& device) {
    CString name, file;
    int32_t first = 0, second = 0;
    driver.Export<SvrGetDevInfoFn>("SvrGetDevInfo")(name, first, second, 0, file);
    CArray<SCustomUIEntry> entries;
    driver.Export<SvrGetCustomUIFn>("SvrGetCustomUI")(0, entries);
    CStringArray registers, paramNames, paramDefaults;
    CArray<int32_t> access;
    CDataTypeArray dataTypes;
    driver.Export<SvrGetCofigProFn>("SvrGetCofigPro")(&device.object, registers, access, dataTypes, paramNames, paramDefaults);
    return {name.str(), entries[0].text.str(), paramNames[0].str(), registers[3].str(), dataTypes.Get(3)->GetAt(17).str()};
}

/// The names of the two channels a description makes, as the driver describes them back.
Texts NewChannelNames(const DriverCopy& driver, HostDevice& device, int regType, int typeIndex, const char16_t* address, int rwFlag) {
    CArray<int32_t> all;
    driver.Export<SvrDeleteChlInfoFn>("SvrDeleteChlInfo")(&device.object, all);
    SChlInfo info;
    info.regType = regType;
    info.typeIndex = typeIndex;
    info.address = address;
    info.chlCount = 2;
    info.rwFlag = rwFlag;
    driver.Export<SvrSetChlInfoFn>("SvrSetChlInfo")(&device.object, info);
    CArray<SChlInfo> infos;
    driver.Export<SvrGetChlInfoFn>("SvrGetChlInfo")(&device.object, all, infos);
    Texts names;
    for (const SChlInfo& described : infos) names.push_back(described.chlName.str());
    return names;
}

const Texts kBuiltinPropertyNames = {u"TCP/IP通讯延时", u"重建TCP/IP连接等待时间[s]", u"机架号[Rack]",
                                     u"槽号[Slot]", u"字符串编码", u"字符串解码顺序"};
const Texts kBuiltinInfoTexts = {u"Vireo", u"标签导入", u"字符串长度", u"V数据寄存器", u"32位 浮点数"};

TEST(LanguageTexts, ChineseInterfaceOfAnySubLanguageLoadsNoLibrary) {
    // Chinese (Taiwan) has primary language 4 too. The English library lies beside the driver.
    DriverCopy driver(0x0404, ENGLISH_LIBRARY);
    HostDevice device(driver);
    EXPECT_EQ(driver.Export<SvrInitDevSetFn>("SvrInitDevSet")(&device.object), 1);
    EXPECT_EQ(Properties(driver, device), kBuiltinPropertyNames);
    EXPECT_EQ(InfoTexts(driver, device), kBuiltinInfoTexts);
    EXPECT_EQ(NewChannelNames(driver, device, 0, 0, u"0", 2), (Texts{u"I读写000.0", u"I读写000.1"}));
}

TEST(LanguageTexts, MissingLibraryLeavesTheBuiltinTexts) {
    DriverCopy driver(kLangEnglishUS, nullptr);
    HostDevice device(driver);
    EXPECT_EQ(driver.Export<SvrInitDevSetFn>("SvrInitDevSet")(&device.object), 1);
    EXPECT_EQ(Properties(driver, device), kBuiltinPropertyNames);
    EXPECT_EQ(InfoTexts(driver, device), kBuiltinInfoTexts);
    EXPECT_EQ(NewChannelNames(driver, device, 2, 0, u"7", 0), (Texts{u"M只读007.0", u"M只读007.1"}));
}

TEST(LanguageTexts, EnglishLibraryReplacesTheTextsTheHostSees) {
    DriverCopy driver(kLangEnglishUS, ENGLISH_LIBRARY);
    HostDevice device(driver);
    EXPECT_EQ(Properties(driver, device), kBuiltinPropertyNames);  // before the language step
    ASSERT_EQ(driver.Export<SvrInitDevSetFn>("SvrInitDevSet")(&device.object), 1);
    EXPECT_EQ(Properties(driver, device), (Texts{u"TCP/IP communication delay", u"TCP/IP reconnect wait time [s]", u"Rack",
                                                 u"Slot", u"String encoding", u"String byte order"}));
    EXPECT_EQ(InfoTexts(driver, device), (Texts{u"Vireo", u"Tag import", u"String length", u"V Data block", u"32-bit floating point"}));

    // The English names are the ones taken back (ignoring case); a built-in name no longer matches.
    CStringArray names, values;
    for (const char16_t* name : {u"tcp/ip communication delay", u"TCP/IP reconnect wait time [s]", u"机架号[Rack]", u"SLOT",
                                 u"String encoding", u"String byte order"})
        names.Add(name);
    for (const char16_t* value : {u"300", u"20", u"5", u"2", u"1 - unicode", u"1 - 12"}) values.Add(value);
    driver.Export<SvrSetPropertyFn>("SvrSetProperty")(&device.object, names, values);
    EXPECT_EQ(Properties(driver, device, true), (Texts{u"300", u"20", u"0", u"2", u"1 - UNICODE", u"1 - 12"}));

    EXPECT_EQ(NewChannelNames(driver, device, 0, 0, u"0", 2), (Texts{u"IRW000.0", u"IRW000.1"}));
    EXPECT_EQ(NewChannelNames(driver, device, 1, 11, u"10", 0), (Texts{u"QROWUB010", u"QROWUB012"}));
    EXPECT_EQ(NewChannelNames(driver, device, 3, 17, u"1.4", 1), (Texts{u"DB1:WODF004", u"DB1:WODF008"}));
}

TEST(LanguageTexts, LibraryWithGapsFillsEntriesByTheSkippingRule) {
    DriverCopy driver(kLangEnglishUS, GAPS_LIBRARY);
    HostDevice device(driver);
    driver.Export<SvrInitDevSetFn>("SvrInitDevSet")(&device.object);
    // 3002 exists only in German: entry 2 takes 3003, and every later entry moves up by one number.
    EXPECT_EQ(Properties(driver, device), (Texts{u"Delay", u"Reconnect wait", u"Rack", u"Slot", u"Encoding", u"Byte order"}));
    // One value text of four: the other three stay built in.
    CStringArray valueTexts;
    driver.Export<SvrEnumPropertyValueFn>("SvrEnumPropertyValue")(&device.object, u"Encoding", valueTexts);
    driver.Export<SvrEnumPropertyValueFn>("SvrEnumPropertyValue")(&device.object, u"Byte order", valueTexts);
    EXPECT_EQ(ToTexts(valueTexts), (Texts{u"0 - 7-bit ASCII", u"1 - UNICODE", u"0 - 21", u"1 - 12"}));
    // The parameter name lies just past its block's last number and is not taken.
    EXPECT_EQ(InfoTexts(driver, device), (Texts{u"Vireo gaps", u"标签导入", u"字符串长度", u"V数据寄存器", u"32位 浮点数"}));
}

}  // namespace
