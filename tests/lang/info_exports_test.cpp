// The informational exports: versions, help, device information, parent configuration, custom UI.
#include <gtest/gtest.h>

#include "core/dev_record.h"
#include "driver_copy.h"

namespace {

TEST(InfoExports, VersionsAndHelp) {
    DriverCopy driver(kLangChineseSimplified, nullptr);
    double version = 0, second = -1;
    int32_t format = 0;
    EXPECT_EQ(driver.Export<SvrGetDevVersionExFn>("SvrGetDevVersionEx")(version, second, format), 1);
    EXPECT_EQ(version, 7.1011);
    EXPECT_EQ(second, 0.0);
    EXPECT_EQ(format, 20001);

    // The host version is kept even on a device that had no record before the call.
    HostDevice device(driver);
    version = 0;
    second = -1;
    EXPECT_EQ(driver.Export<SvrGetDevVersionFn>("SvrGetDevVersion")(&device.object, version, 6.8, second), 1);
    EXPECT_EQ(version, 7.1011);
    EXPECT_EQ(second, 0.0);
    ASSERT_NE(device.object.record, nullptr);
    EXPECT_EQ(device.object.record->hostVersion, 6.8);
    EXPECT_GT(device.archive.GetPosition(), 0);  // the new record was stored

    CString name;
    int32_t context = 0;
    EXPECT_EQ(driver.Export<SvrDoHelpFn>("SvrDoHelp")(name, context), 1);
    EXPECT_EQ(name, u"Vireo_EX");
    EXPECT_EQ(context, 2102072302);
}

TEST(InfoExports, DeviceInformationForEachRuntimeDriver) {
    DriverCopy driver(kLangChineseSimplified, nullptr);
    auto getDevInfo = driver.Export<SvrGetDevInfoFn>("SvrGetDevInfo");
    const char16_t* expected[] = {u"VireoU.drv", u"VireoE.drv"};
    for (int32_t which : {0, 1}) {
        CString name, file;
        int32_t first = 0, second = 0;
        EXPECT_EQ(getDevInfo(name, first, second, which, file), 1);
        EXPECT_EQ(name, u"Vireo");
        EXPECT_EQ(first, 1);
        EXPECT_EQ(second, 4);
        EXPECT_EQ(file, expected[which]);
    }
    for (int32_t which : {2, -1}) {
        CString name, file = u"kept";
        int32_t first = 0, second = 0;
        EXPECT_EQ(getDevInfo(name, first, second, which, file), 0);
        EXPECT_EQ(file, u"kept");
        EXPECT_EQ(name, u"Vireo");
    }
}

TEST(InfoExports, ParentConfigurationAndCustomEntry) {
    DriverCopy driver(kLangChineseSimplified, nullptr);
    SParentConfig config;
    config.hostName = u"PLC1";
    config.hostFlags = 7;
    EXPECT_EQ(driver.Export<SvrGetParentCofigFn>("SvrGetParentCofig")(config), 1);
    EXPECT_EQ(config.hostName, u"PLC1");
    EXPECT_EQ(config.hostFlags, 7);
    EXPECT_EQ(config.address, u"192.168.0.1");
    EXPECT_EQ(config.backupAddress, u"192.168.0.190");
    EXPECT_EQ((std::vector<int32_t>{config.port, config.value1, config.value2, config.value3}), (std::vector<int32_t>{102, 0, 1, 0}));

    // The list the host hands in is replaced by exactly one entry.
    CArray<SCustomUIEntry> entries;
    entries.SetSize(3);
    entries[0].id = 5;
    EXPECT_EQ(driver.Export<SvrGetCustomUIFn>("SvrGetCustomUI")(42, entries), 1);
    ASSERT_EQ(entries.GetSize(), 1);
    EXPECT_EQ(entries[0].text, u"标签导入");
    EXPECT_EQ(entries[0].id, 0);
}

}  // namespace
