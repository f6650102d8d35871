// The dry run of a tag import leaves the shared type library as it found it.
#include "core/exports.h"
#include "import_test_support.h"

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
    // More leaves than are let go of at once while the results are made from them.
    SLayoutRequest request;
    request.dbFiles.Add(folder.Write("DB5_big.db", "DATA_BLOCK \"Big\"\nSTRUCT\n a : Array[0..39999] of Int;   // level\n b : Bool;\nEND_STRUCT;\nEND_DATA_BLOCK\n"));
    request.nameByTitle = 0;
    SLayoutResult result;
    ASSERT_EQ(VireoLayoutDryRun(request, result), 1);
    ASSERT_EQ(result.leaves.GetSize(), 40001);
    for (int i = 0; i < 40000; ++i) {
        const SLayoutLeaf& leaf = result.leaves[i];
        ASSERT_EQ(leaf.name.ToUtf8(), "DB5_big.a[" + std::to_string(i) + "]");
        ASSERT_EQ(leaf.bitOffset, 16 * i);
        ASSERT_EQ(leaf.mark, CString(u"level"));
    }
    EXPECT_EQ(result.leaves[40000].name, CString(u"DB5_big.b"));
    EXPECT_EQ(result.leaves[40000].bitOffset, 16 * 40000);
}
