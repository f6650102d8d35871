// The dry run of a tag import leaves the shared type library as it found it.
#include "core/exports.h"
#include "import_test_support.h"
#include "types/member_layout.h"

TEST_F(ImportRun, DryRunLeavesTheLibraryAsItWas) {
    Fileparstest& library = *analysis.Library();  // the dry run shares this library
    SFlatMember earlier;
    earlier.Name = earlier.Type = u"Int";
    library.TopLevelRecords() = {earlier};
    const size_t structsBefore = library.ParsedStructs().size();

    SLayoutRequest request;
    request.typeFiles.Add(folder.Write("pair.udt", "TYPE \"Pair\"\nSTRUCT\n v : Int;\n f : Bool;\nEND_STRUCT;\nEND_TYPE\n"));
    request.dbFiles.Add(folder.Write("DB4_line.db", "DATA_BLOCK \"Line\"\nSTRUCT\n p : \"Pair\";\n q : Missing;\nEND_STRUCT;\nEND_DATA_BLOCK\n"));
    request.nameByTitle = 0;
    SLayoutResult result;
    ASSERT_EQ(VireoLayoutDryRun(request, result), 1);
    std::vector<std::string> leaves;
    for (const SLayoutLeaf& leaf : result.leaves) leaves.push_back(leaf.name.ToUtf8() + " " + leaf.block.ToUtf8() + " " + std::to_string(leaf.bitOffset));
    EXPECT_EQ(leaves, (std::vector<std::string>{"DB4_line.p.v DB4 0", "DB4_line.p.f DB4 16"}));  // the earlier record is not laid out
    EXPECT_EQ(result.unknownTypes.Items(), std::vector<CString>{u"Missing"});
    EXPECT_EQ(library.TopLevelRecords(), std::vector<SFlatMember>{earlier});
    EXPECT_EQ(library.ParsedStructs().size(), structsBefore);
}

TEST_F(ImportRun, ALargeDryRunGivesEveryLeafInLayoutOrder) {
    // More leaves than the layout holds at once before it hands them on; kept in the result, or
    // taken one by one as they are made.
    SLayoutRequest request;
    request.dbFiles.Add(folder.Write("DB5_big.db", "DATA_BLOCK \"Big\"\nSTRUCT\n a : Array[0..39999] of Int;   // level\n b : Bool;\nEND_STRUCT;\nEND_DATA_BLOCK\n"));
    request.nameByTitle = 0;
    SLayoutResult kept;
    ASSERT_EQ(VireoLayoutDryRun(request, kept), 1);
    std::vector<SLayoutLeaf> taken;
    request.takeLeaf = [&taken](const SLayoutLeaf& leaf) { taken.push_back(leaf); };
    SLayoutResult result;
    ASSERT_EQ(VireoLayoutDryRun(request, result), 1);
    EXPECT_TRUE(result.leaves.IsEmpty());
    EXPECT_EQ(result.notes.Items(), kept.notes.Items());
    ASSERT_EQ(kept.leaves.GetSize(), 40001);
    ASSERT_EQ(taken.size(), 40001u);
    for (int i = 0; i < 40000; ++i) {
        for (const SLayoutLeaf& leaf : {kept.leaves[i], taken[static_cast<size_t>(i)]}) {
            ASSERT_EQ(leaf.name.ToUtf8(), "DB5_big.a[" + std::to_string(i) + "]");
            ASSERT_EQ(leaf.bitOffset, 16 * i);
            ASSERT_EQ(leaf.mark, CString(u"level"));
        }
    }
    EXPECT_EQ(taken.back().name, CString(u"DB5_big.b"));
    EXPECT_EQ(kept.leaves[40000].bitOffset, 16 * 40000);
}

TEST_F(ImportRun, ADryRunThatStopsPartWayGivesNoLeaves) {
    // The offsets pass a bit offset's range after more leaves than are held at once.
    SLayoutRequest request;
    request.dbFiles.Add(folder.Write("DB5_off.db", "DATA_BLOCK \"Big\"\nSTRUCT\n a : Array[0..19999] of Int;\n"
                                                   " w : Array[0..8191] of WString[16382];\nEND_STRUCT;\nEND_DATA_BLOCK\n"));
    request.nameByTitle = 0;
    SLayoutResult kept;
    EXPECT_EQ(VireoLayoutDryRun(request, kept), 0);
    EXPECT_EQ(kept.failure, kLayoutOffsetTooLarge);
    EXPECT_TRUE(kept.leaves.IsEmpty());
    size_t taken = 0;
    request.takeLeaf = [&taken](const SLayoutLeaf&) { ++taken; };
    SLayoutResult result;
    EXPECT_EQ(VireoLayoutDryRun(request, result), 0);
    EXPECT_EQ(result.failure, kLayoutOffsetTooLarge);
    EXPECT_GE(taken, kLeavesHandedAtOnce);  // handed on before the run stopped: the caller drops them
    EXPECT_EQ(result.notes.Items(), kept.notes.Items());
}
