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
