// The driver's information and the user-interface language, as a host sees them.
#include <gtest/gtest.h>

#include "host_runner.h"

namespace {

std::string Value(const std::string& out, const std::string& name) {
    for (const std::string& line : SplitLines(out))
        if (line.rfind(name + "\t", 0) == 0) return line.substr(name.size() + 1);
    return "<missing " + name + ">";
}

}  // namespace

TEST(Info, ReportsVersionsHelpParentConfigurationAndTheCustomEntry) {
    HostFolder folder;
    HostResult zh = folder.RunPlain({"--lang", "zh", "info"});
    ASSERT_EQ(zh.exitCode, 0) << zh.err;
    EXPECT_EQ(Value(zh.out, "device name"), "Vireo");
    EXPECT_EQ(Value(zh.out, "device numbers"), "1\t4");
    EXPECT_EQ(Value(zh.out, "runtime driver 0"), "VireoU.drv");
    EXPECT_EQ(Value(zh.out, "runtime driver 1"), "VireoE.drv");
    EXPECT_EQ(Value(zh.out, "driver version"), "7.1011");
    EXPECT_EQ(Value(zh.out, "second version"), "0.0");
    EXPECT_EQ(Value(zh.out, "format version"), "20001");
    EXPECT_EQ(Value(zh.out, "help name"), "Vireo_EX");
    EXPECT_EQ(Value(zh.out, "help context"), "2102072302");
    EXPECT_EQ(Value(zh.out, "parent address"), "192.168.0.1");
    EXPECT_EQ(Value(zh.out, "parent backup address"), "192.168.0.190");
    EXPECT_EQ(Value(zh.out, "parent port"), "102");
    EXPECT_EQ(Value(zh.out, "parent values"), "0\t1\t0");
    EXPECT_EQ(Value(zh.out, "custom UI"), "0\t标签导入");

    HostResult en = folder.RunPlain({"--lang", "en", "info"});
    ASSERT_EQ(en.exitCode, 0) << en.err;
    EXPECT_EQ(Value(en.out, "custom UI"), "0\tTag import");
}

TEST(Info, EnglishTextsNameEvenTheFirstDeviceAndItsProperties) {
    HostFolder folder;
    const std::string project = folder.ProjectPath();
    ASSERT_EQ(folder.RunPlain({"--project", project, "--lang", "en", "device", "add", "PLC1"}).exitCode, 0);
    HostResult channels = folder.RunPlain({"--project", project, "--lang", "en", "channel", "list", "PLC1"});
    ASSERT_EQ(channels.exitCode, 0) << channels.err;
    EXPECT_EQ(TsvColumn(channels.out, 8).front(), "IRW000.0");

    HostResult props = folder.RunPlain({"--project", project, "--lang", "en", "prop", "set", "PLC1", "Rack=3"});
    ASSERT_EQ(props.exitCode, 0) << props.err;
    EXPECT_NE(props.out.find("Rack\t3\t0"), std::string::npos) << props.out;

    // The same stored device under a Chinese interface: Chinese property names, same values.
    HostResult zh = folder.RunPlain({"--project", project, "--lang", "zh", "prop", "get", "PLC1"});
    EXPECT_NE(zh.out.find("机架号[Rack]\t3\t0"), std::string::npos) << zh.out;
}
