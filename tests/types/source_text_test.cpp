// A source read line by line against the same bytes decoded whole: the same lines and characters,
// whatever the bytes, the line ends and the byte-order mark.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "types/source_lines.h"
#include "types/source_text.h"

namespace {

using Lines = std::vector<std::u16string>;

/// The lines of text, read one after the other into one buffer, each copied before the next.
Lines LinesOf(const SourceText& text) {
    Lines lines;
    std::u16string buffer;
    for (size_t start = 0; start < text.Size();) lines.emplace_back(text.Line(start, buffer));
    return lines;
}

}  // namespace

TEST(SourceText, ReadLineByLineItGivesTheLinesOfTheWholeDecodedText) {
    // A line ends at CR LF, a lone LF or a lone CR; nothing follows the last line end.
    EXPECT_EQ(LinesOf(SourceText(std::string("a\r\nb\nc\rd\r"))), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(LinesOf(SourceText(std::u16string(u"a\r\nb\nc\rd"))), (Lines{u"a", u"b", u"c", u"d"}));
    // Characters of one to four bytes, whole and cut off, stray bytes and line ends of every
    // kind, after each of the byte-order marks or none.
    const std::string pieces[] = {"a", " ", "\r", "\n", "\r\n", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                  "\xE2\x82", "\xF0\x9F", "\xC3", "\x80", "\xFF", "\xEF\xBB\xBF"};
    const std::string marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string bytes = marks[trial % std::size(marks)];
        for (int count = static_cast<int>(random() % 12); count > 0; --count) bytes += pieces[random() % std::size(pieces)];
        const std::u16string whole = DecodeSourceText(bytes);
        const SourceText text(bytes);
        ASSERT_EQ(LinesOf(text), LinesOf(SourceText(whole))) << "trial " << trial;
        std::u16string buffer;
        ASSERT_EQ(text.FirstLine(buffer), whole.substr(0, whole.find_first_of(u"\r\n"))) << "trial " << trial;
    }
}
