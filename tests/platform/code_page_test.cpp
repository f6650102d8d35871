// UTF-8 and the ANSI code page (936 unless changed) against UTF-16: round trips, exact bytes, and
// what becomes of characters the code page cannot hold.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <iterator>
#include <random>
#include <string>

#include "platform/code_page.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

TEST(CodePageTest, AnsiCodePageIsChineseByDefault) { EXPECT_EQ(GetACP(), 936u); }

TEST(CodePageTest, Utf8RoundTripsEveryPlane) {
    const std::u16string text = u"Motor.Speed 读写 é ß ￥ \U0001F600 end";
    const std::string utf8 = Utf16ToUtf8(text);
    EXPECT_EQ(utf8, "Motor.Speed 读写 é ß ￥ \U0001F600 end");
    EXPECT_EQ(Utf8ToUtf16(utf8), text);
    EXPECT_EQ(Utf8ToUtf16(""), u"");
    std::string appended = "key\t";
    AppendUtf8(appended, u"Motor");
    AppendUtf8(appended, text);
    EXPECT_EQ(appended, "key\tMotor" + utf8);
    std::u16string decoded = u"key\t";
    AppendUtf16(decoded, "Motor");
    AppendUtf16(decoded, utf8 + "\xE2\x82");  // cut off at the end of the piece: each byte refused
    EXPECT_EQ(decoded, u"key\tMotor" + text + u"\uFFFD\uFFFD");
}

TEST(CodePageTest, Utf8EncodedInPlaceIsWhatTheConverterGivesForEveryCharacter) {
    // Every character of the basic plane one by one and all together, then surrogates, paired
    // and alone, which the converter decides.
    std::u16string all;
    for (char32_t ch = 1; ch <= 0xFFFF; ++ch) {
        if (ch >= 0xD800 && ch <= 0xDFFF) continue;
        const std::u16string one(1, static_cast<char16_t>(ch));
        std::string appended = "x";
        AppendUtf8(appended, one);
        ASSERT_EQ(appended, "x" + WideCharToMultiByte(CP_UTF8, one)) << static_cast<unsigned>(ch);
        all += one;
    }
    const std::u16string loneHigh = u"a" + std::u16string(1, char16_t{0xD800}) + u"b";
    const std::u16string loneLow(1, char16_t{0xDC00});
    for (const std::u16string& text : {all, std::u16string(u"a\U0001F600b"), loneHigh, loneLow}) {
        std::string appended = "key\t";
        AppendUtf8(appended, text);
        EXPECT_EQ(appended, "key\t" + WideCharToMultiByte(CP_UTF8, text));
    }
}

TEST(CodePageTest, Cp936GivesTheDoubleByteCodes) {
    // "I读写000.0": one ASCII letter, two characters of two bytes each, five ASCII characters.
    const std::string expected = Bytes({'I', 0xB6, 0xC1, 0xD0, 0xB4, '0', '0', '0', '.', '0'});
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, u"I读写000.0"), expected);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, expected), u"I读写000.0");
    EXPECT_EQ(WideCharToMultiByte(936, u"€"), Bytes({0x80}));

    std::u16string mixed = u"通道名称 DB块号 é ü α → ￥ abc";
    for (int i = 0; i < 200; ++i) mixed += u"连接变量名称";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, WideCharToMultiByte(CP_ACP, mixed)), mixed);
}

TEST(CodePageTest, CharactersCp936LacksBecomeOneQuestionMarkEach) {
    // Hangul, sharp s, yen sign (U+00A5), copyright, n with tilde and an emoji (a surrogate pair)
    // are not in code page 936.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, u"a한b"), "a?b");
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, u"读ß¥©ñ写"), Bytes({0xB6, 0xC1, '?', '?', '?', '?', 0xD0, 0xB4}));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, u"x\U0001F600y"), "x?y");
    // A broken surrogate stands for one character; the character after it is kept.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, std::u16string(u"读") + char16_t(0xD800) + u"A"), Bytes({0xB6, 0xC1, '?', 'A'}));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, std::u16string(u"读") + char16_t(0xD800)), Bytes({0xB6, 0xC1, '?'}));
}

TEST(CodePageTest, InvalidBytesDecodeAsReplacementCharacter) {
    // 0xFF is no lead byte in code page 936; a lead byte at the end has no trail byte.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, Bytes({'a', 0xFF, 'b'})), u"a\uFFFDb");
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, Bytes({'a', 0xB6})), u"a\uFFFD");
}

TEST(CodePageTest, AnsiCodePageCanBeChanged) {
    EXPECT_FALSE(SetAnsiCodePage(99999));
    EXPECT_EQ(GetACP(), 936u);
    ASSERT_TRUE(SetAnsiCodePage(1252));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, u"é读"), Bytes({0xE9, '?'}));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, Bytes({0xE9})), u"é");
    ASSERT_TRUE(SetAnsiCodePage(936));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, u"é"), Bytes({0xA8, 0xA6}));
}

namespace {

/// UTF-8 decoded by the system's converter, going on after each byte it refuses with one
/// replacement character: the behaviour the built-in decoder must match.
std::u16string DecodedBySystem(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
    std::u16string out;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char16_t buffer[64];
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - reinterpret_cast<char*>(buffer)) / 2);
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        ++in;
        --inLeft;
        out += u'\uFFFD';
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

TEST(CodePageTest, Utf8DecodesAsTheSystemConverterDoesWhateverTheBytes) {
    // Every two-byte input, then random inputs from bytes near the edges of the UTF-8 ranges.
    for (int first = 0; first < 256; ++first)
        for (int second = 0; second < 256; ++second) {
            const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(Utf8ToUtf16(bytes), DecodedBySystem(bytes)) << first << " " << second;
        }
    const unsigned char edges[] = {'a', 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1,
                                   0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xF8, 0xFE, 0xFF};
    std::mt19937 random(20261206);
    for (int trial = 0; trial < 200000; ++trial) {
        std::string bytes(random() % 9, '\0');
        for (char& byte : bytes) byte = static_cast<char>(edges[random() % std::size(edges)]);
        ASSERT_EQ(Utf8ToUtf16(bytes), DecodedBySystem(bytes)) << "trial " << trial;
    }
}

TEST(CodePageTest, TheCharactersTheCodePageLacksAreNamedInOrder) {
    EXPECT_EQ(CharactersLostInCodePage(u"plain ascii"), u"");
    EXPECT_EQ(CharactersLostInCodePage(u"读写"), u"");
    EXPECT_EQ(CharactersLostInCodePage(u"a한读ß\U0001F600"), u"한ß\U0001F600");
}
