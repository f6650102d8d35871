// The XML tag table reader: addresses, access flags, texts, constants and unusable files.
#include "types/import_result_codes.h"
#include "types/tag_table_reader.h"
#include "import_test_support.h"

namespace {

std::string Tag(const std::string& addr, const std::string& attributes = "type='Bool'", const std::string& name = "n") {
    return "  <Tag " + attributes + " addr='" + addr + "'>" + name + "</Tag>\n";
}

std::string Table(const std::string& tags) { return "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\n<T>\n  <!-- x -->\n" + tags + "</T>"; }

}  // namespace

TEST(TagTableReader, AddressesGiveAreaAndBitOffset) {
    std::vector<SFlatMember> tags;
    ASSERT_EQ(ReadTagTableText(Table(Tag("%I0.3") + Tag("%Q1.7") + Tag("%MW10") + Tag("%MB2") + Tag("%ID256") + Tag("%M200.4") +
                                     Tag("Q2.1") + Tag("%MX268435455.7") + Tag("%IB0")),
                               tags),
              1);
    std::vector<std::string> read;
    for (const SFlatMember& tag : tags) read.push_back(tag.Block.ToUtf8() + std::to_string(tag.BitOffset));
    EXPECT_EQ(read, (std::vector<std::string>{"I3", "Q15", "M80", "M16", "I2048", "M1604", "Q17", "M2147483647", "I0"}));
}

TEST(TagTableReader, AddressesThatNameNoReachablePlaceGiveNoRecordButANote) {
    // Each would otherwise be clamped, wrapped or land in data block 0.
    const std::vector<std::string> refused = {"%MW99999999999", "%M268435456.0", "%QW-2", "%DB1.DBW4", "%ZZ10", "%", "%I0.8",
                                              "%MW2.1", "%I", "%iw2", "%MW2x"};
    std::string table;
    for (size_t i = 0; i < refused.size(); ++i) table += Tag(refused[i], "type='Int'", "t" + std::to_string(i)) + Tag("%Q0.0");
    std::vector<SFlatMember> tags;
    ReaderNotes notes;
    ASSERT_EQ(ReadTagTableText(Table(table), tags, &notes), 1);
    EXPECT_EQ(tags.size(), refused.size());  // the good tag between each two refused ones
    ASSERT_EQ(notes.size(), refused.size());
    for (size_t i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(notes[i].kind, SReaderNote::kRefusedTagAddress);
        EXPECT_EQ(notes[i].subject.ToUtf8(), "t" + std::to_string(i));
        EXPECT_EQ(notes[i].detail.ToUtf8(), refused[i]);
        EXPECT_EQ(notes[i].line, static_cast<int>(4 + 2 * i));  // after the declaration, the root and a comment
    }
}

TEST(TagTableReader, FlagsTextsAndConstants) {
    std::vector<SFlatMember> tags;
    const std::string remark = std::string(150, 'r') + "\xE2\x82\xAC";
    ASSERT_EQ(ReadTagTableText(Table(Tag("%I0.0", "type='Int' hmiVisible='False' hmiWriteable='True' remark='" + remark + "'", " A &amp; B ") +
                                     Tag("%I0.1", "hmiVisible='false'") + Tag("%I0.2", "hmiWriteable='False'") + "  <Tag addr='%M1.0'/>\n" +
                                     "  <Constant type='Int' remark='' value='5'>Lanes</Constant>\n  <Tag type='Int' addr=''>x</Tag>\n"),
                               tags),
              1);
    ASSERT_EQ(tags.size(), 4u);  // the constant and the empty address name no place in memory
    EXPECT_EQ(tags[0].Name, u" A & B ");
    EXPECT_EQ(tags[0].Type, u"Int");
    EXPECT_EQ(tags[0].Mark, CString::FromUtf8(remark));  // long texts are kept whole
    EXPECT_EQ(std::vector<int>({tags[0].Read, tags[0].Write, tags[1].Read, tags[1].Write, tags[2].Read, tags[2].Write}),
              std::vector<int>({0, 1, 1, 1, 1, 0}));  // only "False" takes a right away
    EXPECT_EQ(tags[3].Name + tags[3].Type, u"");
}

TEST(TagTableReader, UnusableFilesAppendNothing) {
    std::vector<SFlatMember> tags;
    for (const char* text : {"", "<T>", "<T name='t'></T>", "<!-- only a comment -->", "\x01\x02 binary"})
        EXPECT_EQ(ReadTagTableText(text, tags), kTagFileUnusable) << text;
    EXPECT_EQ(ReadTagTable(u"/no/such/folder/tags.xml", tags), kTagFileUnusable);
    EXPECT_TRUE(tags.empty());
    ASSERT_EQ(ReadTagTableText("<a><b addr='%Q0.1'>one</b></a>", tags), 1);  // element names are not checked
    EXPECT_EQ(tags.size(), 1u);
}
