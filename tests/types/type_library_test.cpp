// The type library as a shared object: its elementary table, its reference counting, the
// structures it hands to the layout, and the layout engine's life around it.
#include "platform/file_system.h"
#include "types_test_support.h"

TEST(ElementaryTypes, TableHasItsRowsInOrderWithTheirSizes) {
    const std::vector<STypeSize> table = BuildElementaryTypes();
    ASSERT_EQ(table.size(), 68u);
    // Runs of equal size, as 1-based row ranges, with the names at their ends.
    const struct { int first, last, bits; const char16_t *firstName, *lastName; } runs[] = {
        {1, 1, 1, u"Bool", u"Bool"},          {2, 5, 8, u"Byte", u"Char"},
        {6, 10, 16, u"Int", u"S5Time"},       {11, 14, 32, u"DInt", u"Real"},
        {15, 15, 64, u"LReal", u"LReal"},     {16, 16, 2048, u"String", u"String"},
        {17, 17, 4096, u"WString", u"WString"}, {18, 40, 16, u"CONN_ANY", u"Date"},
        {41, 42, 32, u"Time_Of_Day", u"Time"}, {43, 53, 16, u"OB_DIAG", u"RTM"},
        {54, 57, 32, u"AOM_IDENT", u"EVENT_HWINT"}, {58, 63, 64, u"Date_And_Time", u"ULInt"},
        {64, 64, 32, u"CONN_R_ID", u"CONN_R_ID"}, {65, 68, 64, u"LDT", u"IEC_ULCOUNTER"},
    };
    for (const auto& run : runs) {
        EXPECT_EQ(table[run.first - 1].Name, run.firstName);
        EXPECT_EQ(table[run.last - 1].Name, run.lastName);
        for (int row = run.first; row <= run.last; ++row) EXPECT_EQ(table[row - 1].Bits, run.bits) << row;
    }
    const ElementaryTypeIndex index(table);
    EXPECT_EQ(index.Find(u"time_of_DAY"), &table[40]);
    EXPECT_EQ(index.Find(u"TIME"), &table[41]);
    EXPECT_EQ(index.Find(u"Timer"), nullptr);
}

TEST_F(TypeLibraryTest, OneSharedLibraryLivesWhileAnyReferenceIsHeld) {
    auto* first = Fileparstest::Acquire(dataTypeFile);
    auto* second = Fileparstest::Acquire(folder.File("other.xml"));  // the path matters only at creation
    EXPECT_EQ(first, second);
    EXPECT_FALSE(PathExists(folder.File("other.xml")));
    EXPECT_EQ(first->SaveStruct(Header(u"Pump"), {Member(u"a", u"Int")}, kSaveStructAdd), 1);

    WriteText(dataTypeFile, "<STURCTUSER/>");  // changed by other means: not seen while held
    EXPECT_EQ(second->Release(), 1);
    {
        TypeLibraryRef third(dataTypeFile);
        EXPECT_EQ(third.UserStructs().count(u"Pump"), 1u);
    }
    EXPECT_EQ(first->Release(), 0);
    TypeLibraryRef fresh(dataTypeFile);
    EXPECT_EQ(fresh.UserStructs().count(u"Pump"), 0u);
    EXPECT_EQ(fresh.UserStructs().count(u"DTL"), 1u);
}

TEST_F(LayoutTest, ParsedStructuresWinAndEditedUserStructuresAreSeenByTheNextLayout) {
    Fileparstest& library = *analysis.Library();
    library.SaveStruct(Header(u"Motor"), {Member(u"user", u"Int")}, kSaveStructAdd);
    library.SaveStruct(Header(u"Pump"), {Member(u"a", u"Int")}, kSaveStructAdd);
    Struct(u"Motor", {Member(u"parsed", u"Int")});
    Block(u"DB", {Member(u"m", u"Motor"), Member(u"p", u"Pump")});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (std::vector<std::string>{"DB.m.parsed 0.0", "DB.p.a 2.0"}));

    library.SaveStruct(Header(u"Pump"), {Member(u"a", u"Int"), Member(u"b", u"Int")}, kSaveStructReplace);
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (std::vector<std::string>{"DB.m.parsed 0.0", "DB.p.a 2.0", "DB.p.b 4.0"}));
    StructMap parsed;
    library.GetParsedStructs(parsed);
    EXPECT_EQ(parsed.size(), 2u);  // the layout took copies; the parsed structures are as read
}

TEST_F(LayoutTest, NothingIsLoadedOrLaidOutWithoutALibraryOrWithTheWrongKind) {
    StructureList completed;
    DbFileMap blocks;
    blocks[u"/x/DB1_A.db"] = SDbFileInfo{u"DB1", u"DB1_A", u"A", u"/x/DB1_A.db", 0};
    EXPECT_EQ(analysis.LoadFiles({}, completed, kLoadSourceFiles), 0);
    EXPECT_EQ(analysis.LoadFiles({u"/x/a.scl"}, completed, kLoadDbFiles), 0);
    EXPECT_EQ(analysis.LoadBlocks({}, completed, kLoadDbFiles), 0);
    EXPECT_EQ(analysis.LoadBlocks(blocks, completed, kLoadSourceFiles), 0);

    Block(u"DB", {Member(u"a", u"Int")});
    analysis.ReleaseLibrary();
    analysis.ReleaseLibrary();
    EXPECT_EQ(analysis.Library(), nullptr);
    EXPECT_EQ(analysis.LoadFiles({u"/x/a.scl"}, completed, kLoadSourceFiles), 0);
    EXPECT_EQ(analysis.LoadBlocks(blocks, completed, kLoadDbFiles), 0);
    EXPECT_EQ(analysis.Flatten(), 0);
    analysis.TakeResults(leaves, unknown);
    EXPECT_TRUE(leaves.empty());
    EXPECT_TRUE(completed.empty());
}
