// The engineering interface's tag table document: read into the same records as the Tagtable form,
// and documents of neither form refused by name instead of importing nothing.
#include "types/import_result_codes.h"
#include "types/reader_notes.h"
#include "types/tag_table_reader.h"
#include "import_test_support.h"

namespace {

std::string PlcTag(const std::string& name, const std::string& type, const std::string& address,
                   const std::string& more = "", const std::string& comment = "") {
    std::string tag = "<SW.Tags.PlcTag ID='1' CompositionName='Tags'><AttributeList><DataTypeName>" + type +
                      "</DataTypeName>" + more + "<LogicalAddress>" + address + "</LogicalAddress><Name>" + name +
                      "</Name></AttributeList>";
    tag += "<ObjectList><MultilingualText CompositionName='Title'><ObjectList><MultilingualTextItem><AttributeList>"
           "<Culture>en-US</Culture><Text>not the comment</Text></AttributeList></MultilingualTextItem></ObjectList>"
           "</MultilingualText><MultilingualText CompositionName='Comment'><ObjectList><MultilingualTextItem>"
           "<AttributeList><Culture>de-DE</Culture><Text /></AttributeList></MultilingualTextItem><MultilingualTextItem>"
           "<AttributeList><Culture>zh-CN</Culture><Text>" + comment + "</Text></AttributeList></MultilingualTextItem>"
           "</ObjectList></MultilingualText></ObjectList>";
    return tag + "</SW.Tags.PlcTag>\n";
}

std::string Document(const std::string& tables) {
    return "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\n<Document>\n<Engineering version='V17' />\n" + tables + "</Document>";
}

std::string TagTable(const std::string& tags) {
    return "<SW.Tags.PlcTagTable ID='0'><AttributeList><Name>T</Name></AttributeList><ObjectList>\n" + tags +
           "</ObjectList></SW.Tags.PlcTagTable>\n";
}

std::vector<std::string> Records(const std::vector<SFlatMember>& tags) {
    std::vector<std::string> read;
    for (const SFlatMember& t : tags)
        read.push_back(t.Name.ToUtf8() + "|" + t.Type.ToUtf8() + "|" + t.Block.ToUtf8() + std::to_string(t.BitOffset) + "|" +
                       std::to_string(t.Read) + std::to_string(t.Write) + "|" + t.Mark.ToUtf8());
    return read;
}

}  // namespace

TEST(PlcTagTableDocument, TagsOfEveryTableBecomeRecordsLikeTheTagtableForm) {
    const std::string first = PlcTag("Start", "Bool", "%I0.3", "<ExternalWritable>false</ExternalWritable>", "启动按钮") +
                              PlcTag("Speed", "Int", "%MW10", "<ExternalVisible>False</ExternalVisible>") +
                              PlcTag("Limit", "Int", "") +  // a constant-like tag without an address
                              "<SW.Tags.PlcUserConstant><AttributeList><Name>C</Name></AttributeList></SW.Tags.PlcUserConstant>\n";
    const std::string second = PlcTag("Valve", "Word", "%QW2", "<ExternalWritable>true</ExternalWritable>");
    std::vector<SFlatMember> tags;
    ReaderNotes notes;
    ASSERT_EQ(ReadTagTableText(Document(TagTable(first) + TagTable(second)), tags, &notes), 1);
    EXPECT_EQ(Records(tags), (std::vector<std::string>{"Start|Bool|I3|10|启动按钮", "Speed|Int|M80|01|", "Valve|Word|Q16|11|"}));
    EXPECT_TRUE(notes.empty());
}

TEST(PlcTagTableDocument, RefusedAddressesGiveNotesWithLineAndName) {
    std::vector<SFlatMember> tags;
    ReaderNotes notes;
    ASSERT_EQ(ReadTagTableText(Document(TagTable(PlcTag("ok", "Bool", "%I0.0") + PlcTag("far", "Int", "%MW99999999999"))), tags, &notes), 1);
    EXPECT_EQ(tags.size(), 1u);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, SReaderNote::kRefusedTagAddress);
    EXPECT_EQ(notes[0].line, 6);
    EXPECT_EQ(notes[0].subject, u"far");
    EXPECT_EQ(notes[0].detail, u"%MW99999999999");
}

TEST(PlcTagTableDocument, DocumentsOfNeitherFormAreRefusedByTheirRootName) {
    // Each would otherwise read as a table without tags: an import of nothing that reports success.
    for (const char* text : {"<Document><Engineering version='V17'/><SW.Blocks.GlobalDB ID='0'/></Document>",
                             "<Tags><Tag type='Bool' address='%I0.0'>x</Tag></Tags>"}) {
        std::vector<SFlatMember> tags;
        ReaderNotes notes;
        EXPECT_EQ(ReadTagTableText(text, tags, &notes), kTagFileUnusable) << text;
        EXPECT_TRUE(tags.empty());
        ASSERT_EQ(notes.size(), 1u) << text;
        EXPECT_EQ(notes[0].kind, SReaderNote::kUnknownTagTableForm);
    }
    TempFolder folder;
    ReaderNotes notes;
    std::vector<SFlatMember> tags;
    const CString path = folder.Write("blocks.xml", "<Document><SW.Blocks.GlobalDB/></Document>");
    EXPECT_EQ(ReadTagTable(path, tags, &notes), kTagFileUnusable);
    ASSERT_EQ(notes.size(), 1u);
    const CString text = ReaderNoteText(notes[0]);  // names the file and the form it found
    EXPECT_EQ(text.Find(path), 0) << text.ToUtf8();
    EXPECT_GT(text.Find(CString(u"“Document”")), 0) << text.ToUtf8();
    // A Tagtable without addressed tags is still a table of that form.
    EXPECT_EQ(ReadTagTableText("<Tagtable name='t'><Constant value='5'>Lanes</Constant></Tagtable>", tags), 1);
}

TEST(PlcTagTableDocument, TheSharedSampleGivesItsEighteenInputs) {
    const std::string bytes = ReadBytes(std::string(VIREO_SHARED_SAMPLES) + "/simaticml-Inputs.xml");
    if (bytes.empty()) GTEST_SKIP() << "the sample is not beside the repository";
    std::vector<SFlatMember> tags;
    ASSERT_EQ(ReadTagTableText(bytes, tags), 1);
    ASSERT_EQ(tags.size(), 18u);
    EXPECT_EQ(Records({tags.front()}), (std::vector<std::string>{"DI_EmergencyStop|Bool|I0|10|"}));
    EXPECT_EQ(tags.back().BitOffset, 15);
}
