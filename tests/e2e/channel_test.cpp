// Channel editing through vireo-host: adding blocks, describing, deleting and listing rows.
#include <gtest/gtest.h>

#include "host_runner.h"

namespace {

constexpr size_t kNameColumn = 8;

/// A project with one device whose default channels were removed.
class EmptyDevice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(folder.Run({"device", "add", "PLC1"}).exitCode, 0);
        ASSERT_EQ(folder.Run({"channel", "delete", "PLC1", "--all"}).exitCode, 0);
    }
    HostResult Add(std::vector<std::string> args) const {
        args.insert(args.begin(), {"channel", "add", "PLC1"});
        return folder.Run(args);
    }
    std::vector<std::string> Names() const { return TsvColumn(folder.Run({"channel", "list", "PLC1"}).out, kNameColumn); }

    HostFolder folder;
};

TEST_F(EmptyDevice, AddExpandsBlocksAndReportsTheNextAddress) {
    const HostResult bits = Add({"--reg", "I", "--type", "6", "--addr", "2", "--count", "4"});
    EXPECT_EQ(bits.exitCode, 0);
    EXPECT_EQ(bits.out, "result\t1\naddress\t3\n");
    const std::string list = folder.Run({"channel", "list", "PLC1"}).out;
    EXPECT_EQ(TsvColumn(list, kNameColumn), (std::vector<std::string>{"I读写002.6", "I读写002.7", "I读写003.0", "I读写003.1"}));
    EXPECT_EQ(TsvColumn(list, 5), (std::vector<std::string>{"6", "7", "0", "1"}));

    EXPECT_EQ(Add({"--reg", "M", "--type", "11", "--addr", "10", "--rw", "0"}).out, "result\t5\naddress\t12\n");
    EXPECT_EQ(Add({"--reg", "V", "--type", "19", "--addr", "1.4_20"}).exitCode, 0);
    EXPECT_EQ(Add({"--reg", "3", "--type", "11", "--addr", "5.10", "--count", "3"}).out, "result\t7\naddress\t5.16\n");
    // Without a length in the address the string takes --len.
    EXPECT_EQ(Add({"--reg", "V", "--type", "19", "--addr", "2.0", "--len", "210"}).out, "result\t7\naddress\t2.212\n");

    EXPECT_EQ(Names(), (std::vector<std::string>{"I读写002.6", "I读写002.7", "I读写003.0", "I读写003.1", "M只读WUB010",
                                                 "DB1:读写STR004_20", "DB2:读写STR000_210", "DB5:读写WUB010", "DB5:读写WUB012",
                                                 "DB5:读写WUB014"}));

    // Adding the same block again replaces its rows.
    EXPECT_EQ(Add({"--reg", "I", "--type", "6", "--addr", "2", "--count", "4"}).out, "result\t1\naddress\t3\n");
    EXPECT_EQ(Names().size(), 10u);
}

TEST_F(EmptyDevice, ValuesTheDriverWouldReadAsOtherChannelsAreRefused) {
    ASSERT_EQ(Add({"--reg", "Q", "--type", "0", "--addr", "0", "--count", "2"}).exitCode, 0);
    const std::string before = folder.ReadFile(folder.ProjectPath());
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--reg", "M", "--type", "12", "--addr", "%MW10"}, "e.g. 10 or 10_20"},
        {{"--reg", "M", "--type", "11", "--addr", "10.3"}, "is not a byte address"},
        {{"--reg", "M", "--type", "11", "--addr", "10_20"}, "only a string (data type 19) has"},
        {{"--reg", "M", "--type", "11", "--addr", "99999999999"}, "is not a byte address"},
        {{"--reg", "V", "--type", "11", "--addr", "DB1.DBW4"}, "e.g. 1.4 or 1.4_20"},
        {{"--reg", "V", "--type", "11", "--addr", "0.4"}, "from 1 to 60000"},
        {{"--reg", "V", "--type", "11", "--addr", "-3.4"}, "from 1 to 60000"},
        {{"--reg", "V", "--type", "11", "--addr", "99999.4"}, "from 1 to 60000"},
        {{"--reg", "V", "--type", "11", "--addr", "4"}, "names no data block"},
        {{"--reg", "V", "--type", "19", "--addr", "1.4_2"}, "no string length from 4 to 210"},
        {{"--reg", "M", "--type", "11", "--addr", "10", "--count", "-3"}, "accepted 1 to 5000"},
        {{"--reg", "M", "--type", "11", "--addr", "10", "--count", "100000"}, "accepted 1 to 5000"},
        {{"--reg", "Q", "--type", "20", "--addr", "4"}, "accepted 0 to 19"},
        {{"--reg", "V", "--type", "19", "--addr", "1.4", "--len", "500"}, "accepted 4 to 210"},
    };
    for (const auto& [args, message] : cases) {
        const HostResult refused = Add(args);
        EXPECT_EQ(refused.exitCode, 2) << args[5];
        EXPECT_EQ(refused.out, "");
        EXPECT_NE(refused.err.find(message), std::string::npos) << args[5] << ": " << refused.err;
    }
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), before);
    // The driver's own refusal (a block past the 32-bit addresses) is exit 1, nothing added.
    EXPECT_EQ(Add({"--reg", "M", "--type", "11", "--addr", "2147483647"}).exitCode, 1);
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), before);
}

TEST_F(EmptyDevice, InfoDescribesRowsAsTheChannelDialogSeesThem) {
    EXPECT_EQ(folder.Run({"channel", "info", "PLC1"}).out,
              "chlIndex\tregType\ttypeIndex\tstrLen\taddress\tchlCount\trwFlag\tchlKind\tchlName\tvarName\tcomment\n");
    ASSERT_EQ(Add({"--reg", "V", "--type", "11", "--addr", "1.10", "--var", "Motor.Speed[1]", "--comment", "speed"}).exitCode, 0);
    ASSERT_EQ(Add({"--reg", "V", "--type", "19", "--addr", "1.20_8", "--rw", "1"}).exitCode, 0);

    const HostResult info = folder.Run({"channel", "info", "PLC1", "1", "0"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    const std::vector<std::string> lines = SplitLines(info.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "1\t3\t19\t-1\t1.20_8\t1\t1\t3\tDB1:只写STR020_8\tDB1_只写STR020_8\t");
    EXPECT_EQ(lines[2], "0\t3\t11\t-1\t1.10\t1\t2\t2\tDB1:读写WUB010\tMotor_Speed_1_\tspeed");

    EXPECT_EQ(folder.Run({"channel", "info", "PLC1", "2"}).exitCode, 1);
    EXPECT_EQ(folder.Run({"channel", "info", "PLC1", "0", "1", "0"}).exitCode, 1);
}

TEST_F(EmptyDevice, DeleteRemovesTheRowsNamedAsTheTableStood) {
    ASSERT_EQ(Add({"--reg", "I", "--type", "0", "--addr", "0", "--count", "6"}).exitCode, 0);
    // 4, 1, 4 on six rows: the rows at 1 and 4 go, a repeat counts once.
    ASSERT_EQ(folder.Run({"channel", "delete", "PLC1", "4", "1", "4"}).exitCode, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"I读写000.0", "I读写000.2", "I读写000.3", "I读写000.5"}));
    // An index outside the table, or neither indices nor --all, deletes nothing.
    const std::string before = folder.ReadFile(folder.ProjectPath());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"channel", "delete", "PLC1", "0", "4"}, {"channel", "delete", "PLC1", "-1"}, {"channel", "delete", "PLC1"},
             {"channel", "delete", "PLC1", "0", "--all"}}) {
        const HostResult refused = folder.Run(args);
        EXPECT_EQ(refused.exitCode, 2) << args.back();
        EXPECT_NE(refused.err.find("channel delete"), std::string::npos) << refused.err;
    }
    EXPECT_NE(folder.Run({"channel", "delete", "PLC1", "4"}).err.find("there is no row 4; the table has 4 rows"), std::string::npos);
    EXPECT_EQ(folder.ReadFile(folder.ProjectPath()), before);
    ASSERT_EQ(folder.Run({"channel", "delete", "PLC1", "--all"}).exitCode, 0);
    EXPECT_TRUE(Names().empty());
}

TEST_F(EmptyDevice, ListEscapesTextCellsInEveryFormat) {
    ASSERT_EQ(Add({"--reg", "M", "--type", "8", "--addr", "3", "--var", "a\\b", "--comment", "x\ty\"z,1\n2"}).exitCode, 0);

    const std::vector<std::string> tsv = SplitLines(folder.Run({"channel", "list", "PLC1"}).out);
    ASSERT_EQ(tsv.size(), 2u);
    EXPECT_EQ(tsv[1], "2\t2\t0\t3\t0\t80\t0\t0\tM读写BUB003\ta\\\\b\tx\\ty\"z,1\\n2");

    const HostResult csv = folder.Run({"channel", "list", "PLC1", "--format", "csv"});
    EXPECT_EQ(csv.out,
              "通道的读写标志,通道类型,DB块号,DEV通道地址,通道的位,通道的数据类型,DEV通道的快读标志,数据块读的最大长度,通道名称,连接变量名称,通道注释\n"
              "2,2,0,3,0,80,0,0,M读写BUB003,a\\b,\"x\ty\"\"z,1\n2\"\n");

    const HostResult json = folder.Run({"channel", "list", "PLC1", "--format", "json"});
    EXPECT_EQ(json.out,
              "[\n  {\"通道的读写标志\": 2, \"通道类型\": 2, \"DB块号\": 0, \"DEV通道地址\": 3, \"通道的位\": 0, \"通道的数据类型\": 80, "
              "\"DEV通道的快读标志\": 0, \"数据块读的最大长度\": 0, \"通道名称\": \"M读写BUB003\", \"连接变量名称\": \"a\\\\b\", "
              "\"通道注释\": \"x\\ty\\\"z,1\\n2\"}\n]\n");

    // A byte-order mark for spreadsheet programs, and the type codes as names.
    const std::string marked = folder.Run({"channel", "list", "PLC1", "--format", "csv", "--bom"}).out;
    EXPECT_EQ(marked, "\xEF\xBB\xBF" + csv.out);
    EXPECT_EQ(TsvColumn(folder.Run({"channel", "list", "PLC1", "--names"}).out, 11), std::vector<std::string>({"BUB 8-bit unsigned"}));
    ASSERT_EQ(Add({"--reg", "V", "--type", "19", "--addr", "1.4_20"}).exitCode, 0);
    ASSERT_EQ(Add({"--reg", "I", "--type", "3", "--addr", "0", "--var", "bell\x07"}).exitCode, 0);
    const std::string named = folder.Run({"channel", "list", "PLC1", "--names"}).out;
    EXPECT_EQ(TsvColumn(named, 11), std::vector<std::string>({"Bit 3", "BUB 8-bit unsigned", "STR string"}));
    EXPECT_EQ(TsvColumn(named, 9)[0], "bell\\x07");  // control characters never reach the terminal raw

    ASSERT_EQ(folder.Run({"channel", "delete", "PLC1", "--all"}).exitCode, 0);
    EXPECT_EQ(folder.Run({"channel", "list", "PLC1", "--format", "json"}).out, "[]\n");
}

}  // namespace
