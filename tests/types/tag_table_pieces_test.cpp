// A tag table read a piece at a time gives what reading it as one document gives: the same
// records, notes (with their lines) and result, for well-formed tables of every shape and for the
// broken ones the cut cannot follow or a piece shows.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "types/import_result_codes.h"
#include "types/tag_table_pieces.h"
#include "types/tag_table_reader.h"
#include "import_test_support.h"

namespace {

struct SRead {
    int result = 0;
    std::vector<SFlatMember> records;
    ReaderNotes notes;
    bool operator==(const SRead&) const = default;
};

SRead InPieces(const std::string& xml, size_t bytesPerPiece) {
    SRead read;
    read.records.push_back(SFlatMember());  // what was read before stays
    read.result = ReadTagTableTextInPieces(xml, bytesPerPiece, read.records, &read.notes);
    return read;
}

SRead Whole(const std::string& xml) {
    SRead read;
    read.records.push_back(SFlatMember());
    read.result = ReadWholeTagTableText(xml, read.records, &read.notes);
    return read;
}

void ExpectReadAsWhole(const std::string& xml, const std::string& what) {
    const SRead whole = Whole(xml);
    for (size_t bytes : {size_t{1}, size_t{60}, size_t{1} << 20}) {
        const SRead pieces = InPieces(xml, bytes);
        EXPECT_EQ(pieces.result, whole.result) << what << ", pieces of " << bytes;
        EXPECT_EQ(pieces.records, whole.records) << what << ", pieces of " << bytes;
        EXPECT_EQ(pieces.notes, whole.notes) << what << ", pieces of " << bytes;
    }
}

const std::string kHead = "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\n<!-- exported -->\n";

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(TagTablePieces, WellFormedTablesOfEveryShapeReadAsTheWholeDocument) {
    const std::pair<const char*, std::string> tables[] = {
        {"plain", kHead + "<Tagtable name='t'>\n  <Tag type='Bool' addr='%I0.1' remark='a &amp; b'>in1</Tag>\n"
                          "  <Tag type='Int' addr='%MW2'>w</Tag>\n  <Tag type='Int' addr='%ZZ1'>bad</Tag>\n</Tagtable>\n"},
        {"markup between and inside tags",
         kHead + "<Tagtable\n   name='x>y'>\n  <!-- <Tag addr='%I9.9'>commented</Tag> -->\n  <!-- </Tagtable> -->\n"
                 "  <Tag addr='%Q0.0' remark=\"quoted > and < \"><![CDATA[</Tag> inside]]></Tag>\n"
                 "  text between\n  <Tag addr='%M1.2'><Inner/>named by an element</Tag>\n"
                 "  <Tag addr='%Q1.0'/>\n  <Tag type='Bool'>constant</Tag>\n  <Tag addr='%QW-2'>refused\non two lines</Tag>\n"
                 "</Tagtable>\n<!-- after -->\n"},
        {"another root with addresses", "<Tags><x addr='%I0.0'>a</x><y addr='%IB1'>b</y></Tags>"},
        {"another root without addresses", "\n\n<Export version='1'>\n  <Item>a</Item>\n</Export>"},
        {"an empty root", "<Tagtable name='t'>\n</Tagtable>"},
        {"text only under the root", "<Tagtable>just text</Tagtable>"},
    };
    for (const auto& [what, xml] : tables) ExpectReadAsWhole(xml, what);
    // The markup is cut around, not read whole instead.
    const std::optional<STagTablePieces> cut = CutTagTable(tables[1].second, 1);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->children, 5u);
    EXPECT_EQ(cut->pieces.size(), 6u);
    // The refused address on two lines is noted on the line its element starts on.
    const SRead read = InPieces(tables[1].second, 1);
    ASSERT_EQ(read.notes.size(), 1u);
    EXPECT_EQ(read.notes[0].line, 12);
}

TEST(TagTablePieces, BrokenTablesAreRefusedOrTakenAsTheWholeDocumentIs) {
    const std::pair<const char*, std::string> broken[] = {
        {"a tag closed by another name", "<Tagtable><Tag addr='%I0.0'><x></Tag></Tagtable>"},
        {"a root that never ends", "<Tagtable><Tag addr='%I0.0'>a</Tag>"},
        {"a root ended by another name", "<Tagtable><Tag addr='%I0.0'>a</Tag></Other>"},
        {"a second root", "<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable><Tagtable><Tag addr='%I0.1'>b</Tag></Tagtable>"},
        {"a document type", "<!DOCTYPE Tagtable>\n<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable>"},
        {"a comment opened by <!-->", "<!-->\n<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable> -->"},
        {"a declaration opened by <?>", "<?>\n<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable> ?>"},
        {"a comment that never ends", "<Tagtable><Tag addr='%I0.0'>a</Tag><!-- </Tagtable>"},
        {"an attribute without quotes", "<Tagtable><Tag addr=%I0.0>a</Tag></Tagtable>"},
        {"text after the root", "<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable> trailing"},
        {"a self-closing root", "<Tagtable addr='%I0.0'/>"},
        {"a declaration inside the root", "<Tagtable><?pi </Tagtable> ?><Tag addr='%I0.0'>a</Tag></Tagtable>"},
        {"a declaration after the root", "<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable><?pi ?>"},
        {"a zero byte in the declaration", std::string("<?xml version='1.0'\0?>\n<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable>", 69)},
        {"a zero byte before the root ends", std::string("<Tagtable><Tag addr='%I0.0'>a</Tag>\0</Tagtable>", 47)},
        {"a zero byte after the root", std::string("<Tagtable><Tag addr='%I0.0'>a</Tag></Tagtable>\0<x", 49)},
        {"a tag left open", "<Tagtable><Tag addr='%I0.0'>a</Tag><Tag addr='%I0.1'>b</Tagtable>"},
    };
    for (const auto& [what, xml] : broken) ExpectReadAsWhole(xml, what);
}

TEST(TagTablePieces, ExportsReadAsTheWholeDocument) {
    ExpectReadAsWhole(ReadFile(std::filesystem::path(VIREO_EXAMPLES_DIR) / "PLCTags.xml"), "the example");
    const std::filesystem::path samples = VIREO_SHARED_SAMPLES;
    for (const char* name : {"SpottingLine2018-PLCTags.xml", "simaticml-Inputs.xml"})
        if (std::filesystem::exists(samples / name)) ExpectReadAsWhole(ReadFile(samples / name), name);
}

TEST(TagTablePieces, TheCutEndsPiecesAfterTagsAndCountsTheirLines) {
    const std::string xml = "<T a='1'\n>\n<Tag addr='%I0.0'>a</Tag>\n<Tag addr='%I0.1'/>\n<Tag>\n</Tag>\n</T>";
    const std::optional<STagTablePieces> cut = CutTagTable(xml, 1);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->rootName, "T");
    EXPECT_EQ(cut->children, 3u);
    ASSERT_EQ(cut->pieces.size(), 4u);
    EXPECT_EQ(cut->pieces[0].text, "\n<Tag addr='%I0.0'>a</Tag>");
    EXPECT_EQ(cut->pieces[0].line, 2);
    EXPECT_EQ(cut->pieces[2].line, 4);
    EXPECT_EQ(cut->pieces[3].text, "\n");
    EXPECT_EQ(cut->pieces[3].line, 6);
    EXPECT_EQ(CutTagTable(xml, 1000)->pieces.size(), 1u);
}
