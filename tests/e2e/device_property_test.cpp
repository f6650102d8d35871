// Devices and their properties, through vireo-host.
#include <gtest/gtest.h>

#include "host_runner.h"

namespace {

const char* const kDefaultProperties =
    "TCP/IP通讯延时\t200\t0\n"
    "重建TCP/IP连接等待时间[s]\t10\t0\n"
    "机架号[Rack]\t0\t0\n"
    "槽号[Slot]\t1\t0\n"
    "字符串编码\t0 - ASCII\t1\n"
    "字符串解码顺序\t0 - 21\t1\n";

TEST(Device, NewDeviceStoresDefaultPropertiesChannelsAndImage) {
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);

    const HostResult props = folder.Run({"prop", "get", "PLC1"});
    EXPECT_EQ(props.exitCode, 0);
    EXPECT_EQ(props.out, kDefaultProperties);

    const HostResult list = folder.Run({"channel", "list", "PLC1"});
    ASSERT_EQ(list.exitCode, 0);
    EXPECT_EQ(SplitLines(list.out)[0],
              "通道的读写标志\t通道类型\tDB块号\tDEV通道地址\t通道的位\t通道的数据类型\tDEV通道的快读标志\t数据块读的最大长度\t通道名称\t连接变量名称\t通道注释");
    EXPECT_EQ(TsvColumn(list.out, 8), (std::vector<std::string>{"I读写000.0", "I读写000.1", "I读写000.2", "I读写000.3",
                                                                "I读写000.4", "I读写000.5", "I读写000.6", "I读写000.7"}));
    EXPECT_EQ(SplitLines(list.out)[4], "2\t0\t0\t0\t3\t3\t0\t0\tI读写000.3\t\t");

    // The stored image: version 20001, six properties, flags, eight rows of 54 bytes each.
    const HostResult image = folder.Run({"image", "PLC1"});
    ASSERT_EQ(image.exitCode, 0);
    ASSERT_EQ(image.out.size(), 470u);
    EXPECT_EQ(image.out.substr(0, 2), std::string("\x21\x4E"));
    EXPECT_EQ(image.out.substr(34, 4), std::string("\x08\0\0\0", 4));
}

TEST(Device, NamesAreUniqueListedInOrderAndRemovable) {
    HostFolder folder;
    EXPECT_EQ(folder.Run({"device", "list"}).exitCode, 1);  // no project yet: nothing is created
    EXPECT_EQ(folder.Run({"device", "add", "Zeta"}).exitCode, 0);
    EXPECT_EQ(folder.Run({"device", "add", "Alpha"}).exitCode, 0);

    const HostResult duplicate = folder.Run({"device", "add", "Zeta"});
    EXPECT_EQ(duplicate.exitCode, 1);
    EXPECT_NE(duplicate.err.find("Zeta"), std::string::npos);
    for (const char* blank : {"", "  ", "a\tb\n", "bad\xFFutf8"}) EXPECT_EQ(folder.Run({"device", "add", blank}).exitCode, 2) << blank;
    EXPECT_EQ(folder.Run({"device", "list"}).out, "Zeta\nAlpha\n");

    EXPECT_EQ(folder.Run({"device", "remove", "Zeta"}).exitCode, 0);
    EXPECT_EQ(folder.Run({"device", "remove", "Zeta"}).exitCode, 1);
    EXPECT_EQ(folder.Run({"prop", "get", "Zeta"}).exitCode, 1);
    EXPECT_EQ(folder.Run({"device", "list"}).out, "Alpha\n");
}

TEST(Device, DefaultProjectIsInTheWorkingFolder) {
    HostFolder folder;
    EXPECT_EQ(folder.RunPlain({"device", "add", "PLC1"}).exitCode, 0);
    EXPECT_FALSE(folder.ReadFile(folder.PathOf("vireo.vproj")).empty());
    EXPECT_EQ(folder.RunPlain({"device", "list"}).out, "PLC1\n");
}

TEST(Property, SetByNameKeepsTheOthersAndPrintsTheResult) {
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);

    const HostResult set = folder.Run({"prop", "set", "PLC1", "槽号[Slot]= 0x1f ", "字符串编码=1 - unicode", "字符串解码顺序=1"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const std::string expected =
        "TCP/IP通讯延时\t200\t0\n"
        "重建TCP/IP连接等待时间[s]\t10\t0\n"
        "机架号[Rack]\t0\t0\n"
        "槽号[Slot]\t31\t0\n"
        "字符串编码\t1 - UNICODE\t1\n"
        "字符串解码顺序\t1 - 12\t1\n";
    EXPECT_EQ(set.out, expected);
    EXPECT_EQ(folder.Run({"prop", "get", "PLC1"}).out, expected);

    // Names ignore case; the language-independent keys and the positions name the same properties
    // in every language.
    EXPECT_EQ(folder.Run({"prop", "set", "PLC1", "tcp/ip通讯延时=12"}).exitCode, 0);
    EXPECT_EQ(SplitLines(folder.Run({"prop", "get", "PLC1"}).out)[0], "TCP/IP通讯延时\t12\t0");
    EXPECT_EQ(folder.Run({"prop", "set", "PLC1", "rack=2", "3=4"}).exitCode, 0);
    const HostResult english = folder.RunPlain({"--project", folder.ProjectPath(), "--lang", "en", "prop", "set", "PLC1", "Slot=5", "delay=7"});
    EXPECT_EQ(english.exitCode, 0) << english.err;
    EXPECT_EQ(SplitLines(english.out)[2], "Rack\t2\t0");
    EXPECT_EQ(SplitLines(english.out)[3], "Slot\t5\t0");
    EXPECT_EQ(SplitLines(english.out)[0], "TCP/IP communication delay\t7\t0");
}

TEST(Property, UnknownNamesAndValuesAreRefusedWithoutChange) {
    HostFolder folder;
    ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);

    const std::string before = folder.ReadFile(folder.ProjectPath());
    const HostResult unknown = folder.Run({"prop", "set", "PLC1", "槽号[Slot]=5", "Speed=3"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("no property named Speed; its properties are 0 delay"), std::string::npos) << unknown.err;
    EXPECT_EQ(unknown.out, "");
    for (const auto& [assignment, accepted] : std::vector<std::pair<std::string, std::string>>{
             {"字符串编码=2", "0 - ASCII"},
             {"slot=abc", "a whole number from 0 to 31"},
             {"rack=8", "a whole number from 0 to 7"},
             {"delay=12abc", "a whole number from 0 to 2147483647"},
             {"delay=99999999999999999999", "a whole number from 0 to 2147483647"},
             {"delay=-5", "a whole number from 0 to 2147483647"}}) {
        const HostResult refused = folder.Run({"prop", "set", "PLC1", assignment});
        EXPECT_EQ(refused.exitCode, 2) << assignment;
        EXPECT_NE(refused.err.find(accepted), std::string::npos) << refused.err;
    }
    EXPECT_EQ(folder.Run({"prop", "get", "PLC1"}).out, kDefaultProperties);
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), before);

    EXPECT_EQ(folder.Run({"prop", "values", "PLC1", "字符串解码顺序"}).out, "0 - 21\n1 - 12\n");
    const HostResult free = folder.Run({"prop", "values", "PLC1", "槽号[Slot]"});
    EXPECT_EQ(free.exitCode, 0);
    EXPECT_EQ(free.out, "");
    EXPECT_EQ(folder.Run({"prop", "values", "PLC1", "Speed"}).exitCode, 2);
}

}  // namespace
