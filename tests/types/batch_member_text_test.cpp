// The batch member text: how lines and fields are cut, the sample text, and the members a text
// gives or refuses.
#include "platform/invalid_arg.h"
#include "types/batch_member_text.h"
#include "types_test_support.h"

namespace {

std::vector<std::string> Pieces(const char16_t* text, const char16_t* separator) {
    std::vector<std::string> pieces;
    for (const CString& piece : SplitBatchText(text, separator)) pieces.push_back(piece.ToUtf8());
    return pieces;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(BatchMemberText, SplittingKeepsEveryPieceAndDropsOneTrailingTab) {
    EXPECT_EQ(Pieces(u"", u"\t"), Strings{});
    EXPECT_EQ(Pieces(u"a\tb", u""), Strings{});
    EXPECT_EQ(Pieces(u"abc\t", u"\r\n"), Strings{"abc\t"});  // no separator: the text as it is
    EXPECT_EQ(Pieces(u"a\tb\t", u"\t"), (Strings{"a", "b"}));
    EXPECT_EQ(Pieces(u"a\t\tb\t\t", u"\t"), (Strings{"a", "", "b", ""}));  // only one tab is dropped
    EXPECT_EQ(Pieces(u"x\r\ny\r\n", u"\r\n"), (Strings{"x", "y", ""}));
    EXPECT_EQ(Pieces(u"\r\n\r\n", u"\r\n"), (Strings{"", "", ""}));
    EXPECT_EQ(BatchLines(u"x\ny\n").size(), 1u);  // lines end with CR LF only
}

TEST(BatchMemberText, TheSampleHasTwentySixMemberLinesEndingWithCrLf) {
    const std::vector<CString> lines = BatchLines(BatchSampleText());
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[0], u"Element_1\tBool\tfalse\tTrue\tTrue\tTrue\tFalse\tComment");
    EXPECT_EQ(lines[8], u"Element_9\tChar\t' '\tTrue\tTrue\tTrue\tFalse\tComment");
    EXPECT_EQ(lines[16], u"Element_17\tString\t''\tTrue\tTrue\tTrue\tFalse\t");
    EXPECT_EQ(lines[22], u"Element_23\tWChar\tWCHAR#' '\tTrue\tTrue\tTrue\tFalse\t");
    EXPECT_EQ(lines[25], u"Element_26\tArray[0..5] of String[12]\t\tTrue\tTrue\tTrue\tFalse\t");
    EXPECT_EQ(lines[26], u"");
}

TEST(BatchMemberText, FieldsGiveTheMemberAndShortLinesAreSkippedOrRefused) {
    const std::vector<SMemberInfo> members = ParseBatchMembers(
        u"a\tInt\t0\tx\ttRUE\tfalse\r\n"          // six fields: no comment
        u"\r\n"                                   // empty: skipped
        u"no tab at all\r\n"                      // one field: skipped
        u"b\tString[16]\t''\tx\tyes\tTRUE\tx\tnote\textra\r\n"
        u"c\tValveArray\t\tx\tFalse\tFalse\r\n");  // a type name that merely contains "Array"
    ASSERT_EQ(members.size(), 3u);
    SMemberInfo a = Member(u"a", u"Int");
    a.Write = 0;
    EXPECT_EQ(members[0], a);
    SMemberInfo b = Member(u"b", u"String", {}, 16);
    b.Read = 0;
    b.Mark = u"note";
    EXPECT_EQ(members[1], b);
    SMemberInfo c = Member(u"c", u"ValveArray");
    c.Read = c.Write = 0;
    EXPECT_EQ(members[2], c);

    // A line of two to five fields refuses the whole text, whatever came before it.
    for (const char16_t* bad : {u"a\tInt\t0\tx\tTrue\tTrue\r\nb\tInt\r\n", u"a\tInt\t0\tx\tTrue\tTrue\r\nb\tInt\t0\tx\tTrue\r\n"})
        EXPECT_THROW(ParseBatchMembers(bad), CInvalidArgException);
}
