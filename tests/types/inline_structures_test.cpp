// A layout that lets go of a data block's inline structures as it lays them out: the same leaves
// as a layout that keeps them, only the block's own inline structures emptied (never a data
// type's, an array element's before the array is done, or those of a structure named twice), and
// all of them back after the blocks are read again.
#include <string>
#include <vector>

#include "import_test_support.h"
#include "platform/parallel.h"
#include "types/synthetic_structures.h"

namespace {

constexpr const char* kUdt =
    "TYPE \"Udt\"\nVERSION : 0.1\n   STRUCT\n      e : Struct\n         f : Bool;\n      END_STRUCT;\n"
    "   END_STRUCT;\nEND_TYPE\n";

/// Scalar inline structures nested two deep, an array of an inline structure that holds one of its
/// own, and a data type with an inline structure.
constexpr const char* kBlock =
    "DATA_BLOCK \"Title\"\n{ S7_Optimized_Access := 'FALSE' }\nVERSION : 0.1\nNON_RETAIN\n   STRUCT\n"
    "      g : Struct   // group\n         a : Int;\n         h : Struct\n            b : Bool;\n"
    "         END_STRUCT;\n      END_STRUCT;\n"
    "      arr : Array[0..2] of Struct\n         c : Int;\n         k : Struct\n            d : Real;\n"
    "         END_STRUCT;\n      END_STRUCT;\n"
    "      u : \"Udt\";\n      last : Int;\n   END_STRUCT;\nBEGIN\nEND_DATA_BLOCK\n";

class InlineStructuresTest : public ImportRun {
protected:
    /// Reads the data type and the block, and lays them out forgetting the records.
    int LayOut(InlineStructures inlineStructures) {
        EXPECT_EQ(LoadTypes({folder.Write("Udt.udt", kUdt)}), 1);
        EXPECT_EQ(LoadBlock(blockPath), 1);
        analysis.Reset();
        const int result = analysis.FlattenAndForgetRecords(inlineStructures);
        analysis.TakeResults(leaves, unknown);
        return result;
    }

    /// The member lists of the inline structures the structure named name reaches, outermost
    /// first, member by member: empty lists where they were emptied.
    std::vector<size_t> InlineSizesUnder(const CString& name) const {
        const StructMap& parsed = analysis.Library()->ParsedStructs();
        std::vector<size_t> sizes;
        std::vector<CString> toVisit{name};
        while (!toVisit.empty()) {
            const auto found = parsed.find(toVisit.back().view());
            toVisit.pop_back();
            if (found == parsed.end()) continue;
            for (const SMemberInfo& member : found->second) {
                if (!IsSyntheticStructName(member.Type)) continue;
                const auto inner = parsed.find(member.Type.view());
                sizes.push_back(inner == parsed.end() ? 0 : inner->second.size());
                toVisit.push_back(member.Type);
            }
        }
        return sizes;
    }

    const CString blockPath = folder.Write("DB5_Title.db", kBlock);
};

}  // namespace

TEST_F(InlineStructuresTest, LettingGoGivesTheLeavesOfALayoutThatKeepsAndEmptiesOnlyTheBlocksOwnInlineStructures) {
    ASSERT_EQ(LayOut(InlineStructures::kKeep), 1);
    const std::vector<SFlatMember> kept = leaves;
    ASSERT_EQ(kept.size(), 10u);  // a, b, 3 × (c, d), u.e.f, last
    EXPECT_FALSE(analysis.EmptiedInlineStructures());
    // g, h (in g), arr's element type, k (in it): whole.
    EXPECT_EQ(InlineSizesUnder(u"DB5"), (std::vector<size_t>{2, 2, 1, 1}));

    ASSERT_EQ(LayOut(InlineStructures::kLetGo), 1);
    EXPECT_EQ(leaves, kept);
    EXPECT_TRUE(analysis.EmptiedInlineStructures());
    EXPECT_EQ(InlineSizesUnder(u"DB5"), (std::vector<size_t>{0, 0}));  // nothing below them is reached
    EXPECT_EQ(InlineSizesUnder(u"\"Udt\""), (std::vector<size_t>{1}));  // a data type's stays whole
    EXPECT_EQ(analysis.Library()->ParsedStructs().find(std::u16string_view(u"DB5"))->second.size(), 4u);

    // Read again, the block declares everything once more.
    analysis.ReadBlocksAgain({{blockPath, SDbFileInfo{u"DB5", u"DB5_Title", u"Title", blockPath, 0}}});
    EXPECT_FALSE(analysis.EmptiedInlineStructures());
    EXPECT_EQ(InlineSizesUnder(u"DB5"), (std::vector<size_t>{2, 2, 1, 1}));
    EXPECT_TRUE(analysis.Library()->TopLevelRecords().empty());
    EXPECT_TRUE(analysis.TakeReaderNotes().empty());
}

TEST_F(InlineStructuresTest, AStructureNamedTwiceADataTypeOrALayoutSideBySideKeepsItsInlineStructures) {
    // The block's structure named by a second record: both are laid out, nothing is let go of.
    EXPECT_EQ(LoadTypes({folder.Write("Udt.udt", kUdt)}), 1);
    ASSERT_EQ(LoadBlock(blockPath), 1);
    std::vector<SFlatMember>& records = analysis.Library()->TopLevelRecords();
    records.push_back(records.front());
    records.back().Name = u"Again";
    analysis.Reset();
    ASSERT_EQ(analysis.FlattenAndForgetRecords(InlineStructures::kLetGo), 1);
    analysis.TakeResults(leaves, unknown);
    EXPECT_EQ(leaves.size(), 20u);
    EXPECT_FALSE(analysis.EmptiedInlineStructures());
    EXPECT_EQ(InlineSizesUnder(u"DB5"), (std::vector<size_t>{2, 2, 1, 1}));

    // A record of a data type, named once: a data type is no block's own structure.
    EXPECT_EQ(LoadTypes({folder.Write("Udt.udt", kUdt)}), 1);
    SFlatMember tag;
    tag.Name = u"Tag";
    tag.Type = u"\"Udt\"";
    tag.Block = u"M";
    records.push_back(tag);
    analysis.Reset();
    ASSERT_EQ(analysis.FlattenAndForgetRecords(InlineStructures::kLetGo), 1);
    EXPECT_FALSE(analysis.EmptiedInlineStructures());
    EXPECT_EQ(InlineSizesUnder(u"\"Udt\""), (std::vector<size_t>{1}));

    // A block that names a user data type's inline structure itself: only what the parsers made
    // is let go of, never the user's structures.
    SStructInfo header;
    header.Name = u"{00000000-0000-4000-8000-000000000001}";
    SMemberInfo flag;
    flag.Name = u"f";
    flag.Type = u"Bool";
    ASSERT_EQ(analysis.Library()->SaveStruct(header, {flag}, kSaveStructAdd), 1);
    const CString named = folder.Write("DB8_N.db", std::string("DATA_BLOCK \"N\"\n{ S7_Optimized_Access := 'FALSE' }\n") +
                                                       "VERSION : 0.1\n   STRUCT\n      x : {00000000-0000-4000-8000-000000000001};\n"
                                                       "   END_STRUCT;\nBEGIN\nEND_DATA_BLOCK\n");
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(LoadBlock(named, u"DB8"), 1);
        analysis.Reset();
        ASSERT_EQ(analysis.FlattenAndForgetRecords(InlineStructures::kLetGo), 1);
        analysis.TakeResults(leaves, unknown);
        ASSERT_EQ(leaves.size(), 1u) << run;
        EXPECT_EQ(leaves[0].Name, u"Title.x.f");
        EXPECT_FALSE(analysis.EmptiedInlineStructures());
    }

    // Two large blocks laid out side by side: a part may be laid out again in order, so none lets go.
    std::string members;
    for (int i = 0; i < 25000; ++i) members += "         m" + std::to_string(i) + " : Int;\n";
    const std::string large = std::string("DATA_BLOCK \"L\"\n{ S7_Optimized_Access := 'FALSE' }\nVERSION : 0.1\n   STRUCT\n") +
                              "      g : Struct\n" + members + "      END_STRUCT;\n   END_STRUCT;\nBEGIN\nEND_DATA_BLOCK\n";
    ASSERT_EQ(LoadBlock(folder.Write("DB6_L.db", large), u"DB6"), 1);
    ASSERT_EQ(LoadBlock(folder.Write("DB7_L.db", large), u"DB7"), 1);
    analysis.Reset();
    SetMaxParallelParts(2);
    ASSERT_EQ(analysis.FlattenAndForgetRecords(InlineStructures::kLetGo), 1);
    SetMaxParallelParts(0);
    analysis.TakeResults(leaves, unknown);
    EXPECT_EQ(leaves.size(), 50000u);
    EXPECT_FALSE(analysis.EmptiedInlineStructures());
    EXPECT_EQ(InlineSizesUnder(u"DB6"), (std::vector<size_t>{25000}));
}
