// Layouts of data blocks against worked examples: packing, alignment, strings, arrays, IEC timers
// and counters, inheritance of restrictions and comments, unknown types, layouts made in parts.
#include <chrono>
#include <map>
#include <string>
#include <tuple>

#include "platform/parallel.h"
#include "types_test_support.h"

using Strings = std::vector<std::string>;

TEST_F(LayoutTest, ElementaryMembersPackBoolsAndAlignBytesAndWords) {
    Block(u"DB1", {Member(u"a", u"Bool"), Member(u"b", u"Bool"), Member(u"c", u"Byte"), Member(u"d", u"Int"),
                   Member(u"e", u"Bool"), Member(u"f", u"Real")});
    // A declared length gives length + 2 bytes (twice that for WString); without one, String is 256 bytes.
    Block(u"DB2", {Member(u"s", u"String", {}, 10), Member(u"i", u"Int"), Member(u"w", u"WString", {}, 10),
                   Member(u"j", u"Int"), Member(u"t", u"String"), Member(u"k", u"Int")});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"DB1.a 0.0", "DB1.b 0.1", "DB1.c 1.0", "DB1.d 2.0", "DB1.e 4.0", "DB1.f 6.0",
                                       "DB2.s 0.0", "DB2.i 12.0", "DB2.w 14.0", "DB2.j 38.0", "DB2.t 40.0", "DB2.k 296.0"}));
    EXPECT_EQ(leaves[6].Length, 10);
    EXPECT_EQ(leaves[6].Block, u"DB2");
    EXPECT_TRUE(unknown.empty());
}

TEST_F(LayoutTest, WStringsTakeWordsHoweverTheTypeNameIsWritten) {
    // The type is found without regard to case, so its size must be too: (n + 2) words each.
    Block(u"DB", {Member(u"a", u"WSTRING", {}, 4), Member(u"b", u"wstring", {}, 2), Member(u"c", u"Int"),
                  Member(u"d", u"string", {}, 2), Member(u"e", u"Int")});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"DB.a 0.0", "DB.b 12.0", "DB.c 20.0", "DB.d 22.0", "DB.e 26.0"}));
}

TEST_F(LayoutTest, ArraysAlignToWordsAndBreakRowsOfBoolsAtBytes) {
    Block(u"DB3", {Member(u"b", u"Byte"), Member(u"A", u"Bool", {{0, 2}}), Member(u"n", u"Byte")});
    Struct(u"Grid", {Member(u"A", u"Bool", {{0, 1}, {0, 1}})});
    Block(u"DB4", {Member(u"g", u"Grid")});
    Struct(u"Pair", {Member(u"v", u"Int"), Member(u"f", u"Bool")});
    Block(u"DB5", {Member(u"a", u"Bool"), Member(u"ps", u"Pair", {{1, 2}}), Member(u"z", u"Bool")});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"DB3.b 0.0", "DB3.A[0] 2.0", "DB3.A[1] 2.1", "DB3.A[2] 2.2", "DB3.n 4.0",
                                       "DB4.g.A[0][0] 0.0", "DB4.g.A[0][1] 0.1", "DB4.g.A[1][0] 1.0", "DB4.g.A[1][1] 1.1",
                                       "DB5.a 0.0", "DB5.ps[1].v 2.0", "DB5.ps[1].f 4.0", "DB5.ps[2].v 6.0",
                                       "DB5.ps[2].f 8.0", "DB5.z 10.0"}));
    EXPECT_EQ(leaves[1].Type, u"Bool");
    EXPECT_TRUE(leaves[1].Dims.empty());
}

TEST_F(LayoutTest, TimersAndShortCountersInsideBlocks) {
    Block(u"X", {Member(u"T", u"IEC_TIMER"), Member(u"n", u"Byte")});
    Block(u"Y", {Member(u"b", u"Bool"), Member(u"c", u"IEC_SCOUNTER"), Member(u"n", u"Byte")});
    Block(u"Z", {Member(u"c", u"IEC_SCOUNTER"), Member(u"n", u"Byte")});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"X.T.PT 4.0", "X.T.ET 8.0", "X.T.IN 12.1", "X.T.Q 12.2", "X.n 16.0",
                                       "Y.b 0.0", "Y.c.CU 1.0", "Y.c.CD 1.1", "Y.c.R 1.2", "Y.c.LD 1.3", "Y.c.QU 1.4",
                                       "Y.c.QD 1.5", "Y.c.PV 2.0", "Y.c.CV 3.0", "Y.n 4.0",
                                       "Z.c.CU 0.0", "Z.c.CD 0.1", "Z.c.R 0.2", "Z.c.LD 0.3", "Z.c.QU 0.4",
                                       "Z.c.QD 0.5", "Z.c.PV 1.0", "Z.c.CV 2.0", "Z.n 3.0"}));
}

TEST_F(LayoutTest, PredefinedStructuresHaveTheirKnownLayoutsAndSizes) {
    const std::string bits = "CU 0.0,CD 0.1,R 0.2,LD 0.3,QU 0.4,QD 0.5,";
    const std::vector<std::pair<const char16_t*, std::string>> expected = {
        {u"IEC_TIMER", "PT 4.0,ET 8.0,IN 12.1,Q 12.2,end 16.0"},
        {u"IEC_LTIMER", "PT 8.0,ET 16.0,IN 24.1,Q 24.2,end 28.0"},
        {u"IEC_DCOUNTER", bits + "PV 4.0,CV 8.0,end 12.0"},
        {u"IEC_UDCOUNTER", bits + "PV 4.0,CV 8.0,end 12.0"},
        {u"IEC_LCOUNTER", bits + "PV 8.0,CV 16.0,end 24.0"},
        {u"IEC_ULCOUNTER", bits + "PV 8.0,CV 16.0,end 24.0"},
        {u"IEC_COUNTER", bits + "PV 2.0,CV 4.0,end 6.0"},
        {u"IEC_UCOUNTER", bits + "PV 2.0,CV 4.0,end 6.0"},
        {u"IEC_SCOUNTER", bits + "PV 1.0,CV 2.0,end 3.0"},
        {u"IEC_USCOUNTER", bits + "PV 1.0,CV 2.0,end 3.0"},
        {u"DTL", "YEAR 0.0,MONTH 2.0,DAY 3.0,WEEKDAY 4.0,HOUR 5.0,MINUTH 6.0,SECOND 7.0,NANOSECOND 8.0,end 12.0"},
        {u"CREF", "BLOCK_TYPE 0.0,CB_NUMBER 2.0,OFFSET 4.0,end 8.0"},
        {u"NREF", "AREA 0.0,DB_NUMBER 2.0,OFFSET 4.0,end 8.0"},
        {u"ErrorStruct", "ERROR_ID 0.0,FLAGS 2.0,REACTION 3.0,CODE_ADDRESS.BLOCK_TYPE 4.0,CODE_ADDRESS.CB_NUMBER 6.0,"
                         "CODE_ADDRESS.OFFSET 8.0,MODE 12.0,OPERAND_NUMBER 14.0,POINTER_NUMBER_LOCATION 16.0,"
                         "SLOT_NUMBER_SCOPE 18.0,DATA_ADDRESS.AREA 20.0,DATA_ADDRESS.DB_NUMBER 22.0,"
                         "DATA_ADDRESS.OFFSET 24.0,end 28.0"},
    };
    for (const auto& [type, layout] : expected) {
        analysis.Library()->TopLevelRecords().clear();
        Block(u"B", {Member(u"v", type), Member(u"end", u"Byte")});
        ASSERT_EQ(Layout(), 1);
        std::string placed;
        for (const std::string& leaf : Placed(leaves)) placed += (placed.empty() ? "" : ",") + leaf.substr(leaf.starts_with("B.v.") ? 4 : 2);
        EXPECT_EQ(placed, layout) << CString(type).ToUtf8();
    }
}

TEST_F(LayoutTest, EveryTopLevelRecordStartsAsAStructureDoes) {
    // A timer record on its own lays out as a timer inside a block, and two identical records lay
    // out identically whatever came before them.
    Record(u"T1", u"IEC_TIMER", {}, 80);
    Record(u"T2", u"IEC_TIMER", {}, 80);
    Record(u"C", u"IEC_DCOUNTER");
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"T1.PT 14.0", "T1.ET 18.0", "T1.IN 22.1", "T1.Q 22.2",
                                       "T2.PT 14.0", "T2.ET 18.0", "T2.IN 22.1", "T2.Q 22.2",
                                       "C.CU 0.0", "C.CD 0.1", "C.R 0.2", "C.LD 0.3", "C.QU 0.4", "C.QD 0.5",
                                       "C.PV 4.0", "C.CV 8.0"}));
}

TEST_F(LayoutTest, RestrictionsAndCommentsPassDownThroughEveryLevel) {
    SMemberInfo own = Member(u"x", u"Int");
    own.Mark = u"own";
    Struct(u"Inner", {own, Member(u"y", u"Bool")});
    SMemberInfo readOnly = Member(u"r", u"Inner");
    readOnly.Read = 0;
    SMemberInfo writeOnly = Member(u"w", u"Inner");
    writeOnly.Write = 0;
    writeOnly.Mark = u"w note";
    SMemberInfo array = Member(u"a", u"Inner", {{0, 0}});
    array.Read = 0;
    Block(u"DB", {readOnly, writeOnly, array, Member(u"p", u"Int")}).Mark = u"block note";
    ASSERT_EQ(Layout(), 1);
    ASSERT_EQ(leaves.size(), 7u);
    auto flags = [](const SFlatMember& leaf) { return leaf.Name.ToUtf8() + " " + std::to_string(leaf.Read) + std::to_string(leaf.Write) + " " + leaf.Mark.ToUtf8(); };
    Strings seen;
    for (const SFlatMember& leaf : leaves) seen.push_back(flags(leaf));
    EXPECT_EQ(seen, (Strings{"DB.r.x 01 own", "DB.r.y 01 block note", "DB.w.x 10 own", "DB.w.y 10 w note",
                             "DB.a[0].x 01 own", "DB.a[0].y 01 block note", "DB.p 11 block note"}));
    // The leaves hold the declarations' comments themselves, not copies of them.
    EXPECT_EQ(leaves[0].Mark.view().data(), leaves[2].Mark.view().data());
    EXPECT_EQ(leaves[0].Mark.view().data(), leaves[4].Mark.view().data());
    EXPECT_EQ(leaves[1].Mark.view().data(), leaves[6].Mark.view().data());
}

TEST_F(LayoutTest, UnknownTypesAreListedOnceAndTakeNoSpace) {
    Block(u"DB", {Member(u"a", u"Foo"), Member(u"b", u"Int"), Member(u"c", u"Foo"), Member(u"d", u"Bar", {{0, 3}}),
                  Member(u"e", u"Baz", {{1, 0}}), Member(u"f", u"bool"), Member(u"g", u"iec_timer"),
                  Member(u"h", u"Huge", {{0, 2147483646}, {0, 2147483646}})});
    ASSERT_EQ(Layout(), 1);
    // Elementary names match without regard to case; structure names only exactly. An array with
    // no element never meets its type.
    EXPECT_EQ(Placed(leaves), (Strings{"DB.b 0.0", "DB.f 2.0"}));
    EXPECT_EQ(leaves[1].Type, u"bool");
    EXPECT_EQ(unknown, (std::vector<CString>{u"Foo", u"Bar", u"iec_timer", u"Huge"}));
}

TEST_F(LayoutTest, TopLevelRecordsKeepTheirOffsetsAndArraysRunOnUnaligned) {
    SFlatMember& tag = Record(u"Start", u"Bool", {}, 3);
    tag.Block = u"I";
    tag.Mark = u"start button";
    const SFlatMember start = tag;
    Record(u"F", u"Bool", {{0, 2}}, 80);
    Record(u"W", u"Int", {{0, 1}}, 97);
    Struct(u"Two", {Member(u"a", u"Byte"), Member(u"b", u"Bool")});
    Record(u"P", u"Two", {{0, 1}});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"Start 0.3", "F[0] 10.0", "F[1] 10.1", "F[2] 10.2", "W[0] 12.1", "W[1] 14.1",
                                       "P[0].a 0.0", "P[0].b 1.0", "P[1].a 2.0", "P[1].b 3.0"}));
    EXPECT_EQ(leaves[0], start);
    EXPECT_EQ(leaves[1].Dims, (std::vector<SArrayDim>{{0, 2}}));  // an element is a copy of its record
}

TEST_F(LayoutTest, EachLayoutAppendsUntilResetAndLeavesTheRecordsAlone) {
    Block(u"DB", {Member(u"a", u"Int"), Member(u"u", u"Unknown")});
    const std::vector<SFlatMember> records = analysis.Library()->TopLevelRecords();
    ASSERT_EQ(Layout(), 1);
    ASSERT_EQ(analysis.Flatten(), 1);
    analysis.TakeResults(leaves, unknown);
    EXPECT_EQ(Placed(leaves), (Strings{"DB.a 0.0", "DB.a 0.0"}));
    EXPECT_EQ(unknown.size(), 1u);
    EXPECT_EQ(analysis.Library()->TopLevelRecords(), records);
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(leaves.size(), 1u);
}

TEST_F(LayoutTest, StructuresThatContainThemselvesOrNestTooDeepAreUnknownTypesToldWithTheirMember) {
    Struct(u"A", {Member(u"x", u"Int"), Member(u"self", u"A"), Member(u"many", u"A", {{0, 1000000}})});
    Struct(u"B", {Member(u"c", u"C")});
    Struct(u"C", {Member(u"b", u"B")});
    for (int i = 0; i < 1000; ++i)  // a chain deeper than any real type nests
        Struct(CString::Formatted(u"S%d", i).GetString(), {Member(u"next", CString::Formatted(u"S%d", i + 1).GetString())});
    Block(u"DB", {Member(u"a", u"A"), Member(u"b", u"B"), Member(u"n", u"Int")});
    Block(u"Deep", {Member(u"s", u"S0")});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"DB.a.x 0.0", "DB.n 2.0"}));
    ASSERT_EQ(unknown.size(), 3u);  // A, B and the structure where the chain is cut
    EXPECT_EQ(std::vector<CString>(unknown.begin(), unknown.begin() + 2), (std::vector<CString>{u"A", u"B"}));

    // Each name is told once, with the member where it was met and why it gave nothing.
    std::u16string cut = u"Deep.s";
    for (size_t i = 1; i < kMaxStructNesting; ++i) cut += u".next";
    const ReaderNotes notes = analysis.LayoutNotes();
    const ReaderNotes expected = {{SReaderNote::kContainsItself, u"DB", 0, u"A", u"DB.a.self"},
                                  {SReaderNote::kContainsItself, u"DB", 0, u"B", u"DB.b.c.b"},
                                  {SReaderNote::kNestedTooDeep, u"Deep", 0, unknown[2], CString(cut)}};
    EXPECT_EQ(notes, expected);
}

TEST_F(LayoutTest, LayoutsBeyondTheLimitsStopWithoutPartialResults) {
    analysis.SetMaxLeaves(4);
    Block(u"DB", {Member(u"f", u"Bool", {{0, 3}})});
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(leaves.size(), 4u);

    Block(u"DB2", {Member(u"g", u"Bool", {{0, 2147483646}})});
    EXPECT_EQ(Layout(), kLayoutTooLarge);
    EXPECT_TRUE(leaves.empty());

    // Rows without elements, and structures of structures that hold nothing: no leaf, but endless
    // work without the limit.
    analysis.Library()->TopLevelRecords().clear();
    Block(u"DB5", {Member(u"r", u"Int", {{0, 2147483646}, {1, 0}})});
    EXPECT_EQ(Layout(), kLayoutTooLarge);
    analysis.Library()->TopLevelRecords().clear();
    for (int i = 0; i < 60; ++i)
        Struct(CString::Formatted(u"E%d", i).GetString(), {Member(u"a", CString::Formatted(u"E%d", i + 1).GetString()),
                                                          Member(u"b", CString::Formatted(u"E%d", i + 1).GetString())});
    Struct(u"E60", {});
    Block(u"DB3", {Member(u"e", u"E0")});
    EXPECT_EQ(Layout(), kLayoutTooLarge);

    // Offsets beyond the range of a bit offset: told as such, with the member.
    analysis.Library()->TopLevelRecords().clear();
    Block(u"DB4", {Member(u"s", u"String", {}, 2147483000), Member(u"i", u"Int")});
    EXPECT_EQ(Layout(), kLayoutOffsetTooLarge);
    EXPECT_EQ(analysis.LayoutNotes(), (ReaderNotes{{SReaderNote::kOffsetTooLarge, u"DB4", 0, u"Int", u"DB4.i"}}));
    EXPECT_TRUE(leaves.empty());
}

TEST_F(LayoutTest, LayoutsInPartsEqualTheLayoutInOrderEvenWhenStopped) {
    // Unknown names met in several parts, and met again in a later part, keep the order of the
    // layout in order.
    Struct(u"Pair", {Member(u"v", u"Int"), Member(u"f", u"Foo")});
    Block(u"DB1", {Member(u"a", u"Pair", {{1, 15000}}), Member(u"u", u"Bar")});
    Record(u"T1", u"Baz");
    Block(u"DB2", {Member(u"b", u"Int", {{1, 30000}}), Member(u"u", u"Foo")});
    Record(u"T2", u"Bar");
    Block(u"DB3", {Member(u"c", u"Bool", {{1, 20000}}), Member(u"q", u"Qux")});
    auto layOut = [&](int parts, int maxLeaves) {
        SetMaxParallelParts(parts);
        analysis.SetMaxLeaves(maxLeaves);
        const int result = Layout();
        SetMaxParallelParts(0);
        return std::make_tuple(result, leaves, unknown, analysis.LayoutNotes());
    };
    const auto inOrder = layOut(1, kDefaultMaxLeaves);
    ASSERT_EQ(std::get<0>(inOrder), 1);
    EXPECT_EQ(std::get<1>(inOrder).size(), 65000u);
    EXPECT_EQ(std::get<2>(inOrder), (std::vector<CString>{u"Foo", u"Bar", u"Baz", u"Qux"}));
    EXPECT_EQ(layOut(3, kDefaultMaxLeaves), inOrder);

    // One leaf too many: refused by the count before anything is laid out, in any number of parts.
    const auto stopped = layOut(1, 64999);
    EXPECT_EQ(std::get<0>(stopped), kLayoutTooLarge);
    EXPECT_TRUE(std::get<1>(stopped).empty());
    EXPECT_TRUE(std::get<2>(stopped).empty());
    EXPECT_EQ(layOut(3, 64999), stopped);
}

TEST_F(LayoutTest, TinySourcesOfHugeLayoutsAreRefusedBeforeAnyLeafIsMade) {
    // One array of 100 dimensions of two elements each: 2^100 leaves from a few bytes of source.
    Block(u"DB1", {Member(u"a", u"Bool", std::vector<SArrayDim>(100, SArrayDim{0, 1}))});
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Layout(), kLayoutTooLarge);
    EXPECT_TRUE(leaves.empty());
    // Two million Bools, within the leaf limit, in a block whose name of 1,100 characters every
    // leaf's name repeats: more text than one stored image can hold.
    analysis.Library()->TopLevelRecords().clear();
    Block(std::u16string(1100, u'T').c_str(), {Member(u"b", u"Bool", {{0, 1999999}})});
    EXPECT_EQ(Layout(), kLayoutTooLarge);
    EXPECT_TRUE(leaves.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    // The same leaves under a short name are laid out.
    analysis.Library()->TopLevelRecords().clear();
    Block(u"DB2", {Member(u"b", u"Bool", {{0, 1999999}})});
    EXPECT_EQ(Layout(), 1);
    EXPECT_EQ(leaves.size(), 2000000u);
}

TEST_F(LayoutTest, ALayoutThatForgetsItsRecordsLeavesTheTagsWhereTheyLieAndGivesWhatFlattenGives) {
    // Tags first (their own leaves), then a tag of no known type, a block, a structured record and
    // a last tag: only the leading tags stay where they lie; everything else is laid out.
    Struct(u"Two", {Member(u"a", u"Byte"), Member(u"b", u"Bool")});
    for (int i = 0; i < 30000; ++i) {
        SFlatMember& tag = Record(CString::Formatted(u"Tag_%d", i).GetString(), i % 3 == 0 ? u"Bool" : u"Int", {}, i * 16);
        tag.Block = i % 2 ? u"M" : u"Q";
        tag.Mark = u"a comment";
    }
    Record(u"Odd", u"Foo");
    Block(u"DB1", {Member(u"v", u"Int", {{1, 30000}}), Member(u"f", u"Foo")});
    Record(u"Pair", u"Two", {}, 8);
    Record(u"Last", u"Word", {}, 32);
    const std::vector<SFlatMember> records = analysis.Library()->TopLevelRecords();
    // The parsed structures by name, with their members: what the library must hold after each run.
    auto parsedNow = [&] {
        std::map<std::u16string, std::vector<SMemberInfo>> byName;
        for (const auto& [header, members] : analysis.Library()->ParsedStructs()) byName[header.Name.str()] = members;
        return byName;
    };
    const auto parsed = parsedNow();
    auto layOut = [&](bool forget, int parts, int maxLeaves) {
        analysis.Library()->TopLevelRecords() = records;
        analysis.Reset();
        SetMaxParallelParts(parts);
        analysis.SetMaxLeaves(maxLeaves);
        const int result = forget ? analysis.FlattenAndForgetRecords() : analysis.Flatten();
        SetMaxParallelParts(0);
        analysis.TakeResults(leaves, unknown);
        EXPECT_TRUE(parsedNow() == parsed);  // lent to the layout, and given back
        return std::make_tuple(result, leaves, unknown, analysis.LayoutNotes());
    };
    const auto kept = layOut(false, 1, kDefaultMaxLeaves);
    ASSERT_EQ(std::get<0>(kept), 1);
    ASSERT_EQ(std::get<1>(kept).size(), 60003u);
    EXPECT_EQ(std::get<1>(kept).front(), records.front());
    EXPECT_EQ(std::get<2>(kept), (std::vector<CString>{u"Foo"}));
    for (int parts : {1, 3}) {
        EXPECT_EQ(layOut(true, parts, kDefaultMaxLeaves), kept) << parts;
        EXPECT_TRUE(analysis.Library()->TopLevelRecords().empty());
    }
    // The limit counts the tags left where they lie: exactly as many leaves as allowed are laid
    // out, one more is refused with no leaf left over.
    EXPECT_EQ(layOut(true, 3, 60003), kept);
    const auto refused = layOut(false, 1, 60002);
    EXPECT_EQ(std::get<0>(refused), kLayoutTooLarge);
    EXPECT_EQ(layOut(true, 1, 60002), refused);
    EXPECT_EQ(layOut(true, 1, 29999), layOut(false, 1, 29999));
    EXPECT_TRUE(std::get<1>(layOut(true, 1, 29999)).empty());

    // A table of tags alone: every leaf is its record, and the layout ends as placing tags does.
    const std::vector<SFlatMember> tags(records.begin(), records.begin() + 30000);
    analysis.Library()->TopLevelRecords() = tags;
    analysis.Reset();
    analysis.SetMaxLeaves(kDefaultMaxLeaves);
    ASSERT_EQ(analysis.FlattenAndForgetRecords(), 1);
    analysis.TakeResults(leaves, unknown);
    EXPECT_TRUE(leaves == tags);
}
