// The text operations the driver's algorithms are written in: positions in UTF-16 code units,
// ASCII-only case folding, non-rescanning replacement, printf-style formatting and "%d" / "%X" scans.
#include <gtest/gtest.h>

#include "platform/cstring.h"
#include "platform/invalid_arg.h"

TEST(CStringTest, PositionsCountCodeUnits) {
    const CString text = u"DB1:读写STR004_20";
    EXPECT_EQ(text.GetLength(), 15);
    EXPECT_EQ(text.Find(u':'), 3);
    EXPECT_EQ(text.Find(u"STR"), 6);
    EXPECT_EQ(text.Find(u'_', 13), -1);
    EXPECT_EQ(text.Find(u'D', 99), -1);
    EXPECT_EQ(text.Mid(4, 2), u"读写");
    EXPECT_EQ(text.Mid(13), u"20");
    EXPECT_EQ(text.Mid(40), u"");
    EXPECT_EQ(text.Left(99), text);
    EXPECT_EQ(text.Right(2), u"20");
    EXPECT_EQ(CString(u"a\U0001F600b").GetLength(), 4);
    EXPECT_THROW(text.GetAt(15), CInvalidArgException);
}

TEST(CStringTest, TrimRemovesWhiteSpaceOnlyAtTheEnds) {
    CString text = u" \t\r\n 0x1f  a \v\f";
    EXPECT_EQ(text.Trim(), u"0x1f  a");
    CString full = u"\u3000中\u3000";  // the ideographic space is no white space here
    EXPECT_EQ(full.Trim(), u"\u3000中\u3000");
    CString blank = u"   ";
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CStringTest, CaseOperationsFoldOnlyAsciiLetters) {
    CString text = u"db1:读写str_ä_ａ_é";
    EXPECT_EQ(text.MakeUpper(), u"DB1:读写STR_ä_ａ_é");
    EXPECT_EQ(CString(u"1 - unicode").CompareNoCase(u"1 - UNICODE"), 0);
    EXPECT_EQ(CString(u"tcp/ip通讯延时").CompareNoCase(u"TCP/IP通讯延时"), 0);
    EXPECT_NE(CString(u"ä").CompareNoCase(u"Ä"), 0);
    EXPECT_LT(CString(u"abc").CompareNoCase(u"ABD"), 0);
    EXPECT_GT(CString(u"abcd").CompareNoCase(u"ABC"), 0);
    EXPECT_LT(CString(u"ab").CompareNoCase(u"ABC"), 0);
    EXPECT_LT(CString(u"A").Compare(u"a"), 0);
    EXPECT_EQ(CString(u"读").Compare(u"读"), 0);
}

TEST(CStringTest, ReplaceDoesNotRescanWhatItReplaced) {
    CString text = u"a___b";
    EXPECT_EQ(text.Replace(u"__", u"_"), 1);
    EXPECT_EQ(text, u"a__b");
    CString grow = u"x.y.z";
    EXPECT_EQ(grow.Replace(u".", u".."), 2);
    EXPECT_EQ(grow, u"x..y..z");
    CString none = u"abc";
    EXPECT_EQ(none.Replace(u"", u"x"), 0);
    EXPECT_EQ(none.Replace(u"d", u"x"), 0);
    EXPECT_EQ(none, u"abc");
    CString chars = u"DB1:读写.X";
    EXPECT_EQ(chars.Replace(u':', u'_'), 1);
    EXPECT_EQ(chars.Replace(u'.', u'_'), 1);
    EXPECT_EQ(chars, u"DB1_读写_X");
}

TEST(CStringTest, FormatFollowsPrintf) {
    EXPECT_EQ(CString::Formatted(u"%d|%d", 42, -7), u"42|-7");
    EXPECT_EQ(CString::Formatted(u"%.3d|%.3d|%.3d|%.3d", 0, 5, 1234, -5), u"000|005|1234|-005");
    EXPECT_EQ(CString::Formatted(u"DB%.1d:|%.1d", 0, 17), u"DB0:|17");
    EXPECT_EQ(CString::Formatted(u".%1d", 7), u".7");
    EXPECT_EQ(CString::Formatted(u"_%04d|%04d|%04d", 7, 12345, -3), u"_0007|12345|-003");
    EXPECT_EQ(CString::Formatted(u"%s=%s", u"名称", u""), u"名称=");
    EXPECT_EQ(CString::Formatted(u"%X|%X|%x", 255, -1, 0xab), u"FF|FFFFFFFF|ab");
    EXPECT_EQ(CString::Formatted(u"%f|%.2f", 1.5, 7.1011), u"1.500000|7.10");
    EXPECT_EQ(CString::Formatted(u"100%% %5s|%-3d|", u"ab", 1), u"100%    ab|1  |");
    CString text;
    text.Format(u"%d.%d_%d", 1, 4, 20);
    EXPECT_EQ(text, u"1.4_20");
}

TEST(CStringTest, ScanDecimalReadsAsPercentD) {
    int value = -99;
    EXPECT_TRUE(ScanDecimal(u"  12abc", value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(ScanDecimal(u"-3.4", value));
    EXPECT_EQ(value, -3);
    EXPECT_TRUE(ScanDecimal(u"+8", value));
    EXPECT_EQ(value, 8);
    EXPECT_TRUE(ScanDecimal(u"\t007", value));
    EXPECT_EQ(value, 7);
    // Nothing readable leaves the value as it was.
    value = 55;
    EXPECT_FALSE(ScanDecimal(u"abc", value));
    EXPECT_FALSE(ScanDecimal(u"", value));
    EXPECT_FALSE(ScanDecimal(u"-", value));
    EXPECT_FALSE(ScanDecimal(u"- 1", value));
    EXPECT_FALSE(ScanDecimal(u"_30", value));
    EXPECT_EQ(value, 55);
    // Numbers too large for 32 bits wrap around; a long run of digits does not hang or trap.
    EXPECT_TRUE(ScanDecimal(u"4294967297", value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(ScanDecimal(std::u16string(5000, u'9'), value));
}

TEST(CStringTest, ScanHexReadsAsPercentX) {
    int value = 0;
    EXPECT_TRUE(ScanHex(u"1F", value));
    EXPECT_EQ(value, 31);
    EXPECT_TRUE(ScanHex(u" 0x1fZ", value));
    EXPECT_EQ(value, 31);
    EXPECT_TRUE(ScanHex(u"FFFFFFFF", value));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(ScanHex(u"-10", value));
    EXPECT_EQ(value, -16);
    value = 9;
    EXPECT_FALSE(ScanHex(u"G1", value));
    EXPECT_FALSE(ScanHex(u"", value));
    EXPECT_EQ(value, 9);
}
