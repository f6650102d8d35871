// The English string table against the built-in one: the same numbers, and what the driver relies
// on in a text kept intact.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

/// Number to text of every string in a resource script's string tables.
std::map<int, std::string> ReadStrings(const char* script) {
    std::ifstream in(script);
    std::map<int, std::string> strings;
    std::string line;
    bool inTable = false;
    while (std::getline(in, line)) {
        if (line.starts_with("STRINGS ")) inTable = true;
        else if (line == "END") inTable = false;
        else if (inTable && !line.empty() && line[0] != '#') {
            const size_t tab = line.find('\t');
            strings[std::stoi(line.substr(0, tab))] = line.substr(tab + 1);
        }
    }
    return strings;
}

/// The printf conversions of a text, in order ("%d %s ").
std::string FormatConversions(const std::string& text) {
    std::string found;
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        size_t end = at + 1;
        while (end < text.size() && !std::isalpha(static_cast<unsigned char>(text[end])) && text[end] != '%') ++end;
        found += text.substr(at, end + 1 - at) + " ";
        at = end;
    }
    return found;
}

/// The file filter patterns after a filter's description ("|*.udt|"), empty for other texts.
std::string FilterPatterns(const std::string& text) {
    const size_t bar = text.find('|');
    return bar == std::string::npos ? std::string() : text.substr(bar);
}

/// The leading digits: the bit width of a data type text.
std::string LeadingDigits(const std::string& text) {
    size_t end = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    return text.substr(0, end);
}

TEST(EnglishTable, HasEveryBuiltinNumberAndKeepsWhatTheDriverReads) {
    const auto builtin = ReadStrings(BUILTIN_SCRIPT);
    const auto english = ReadStrings(ENGLISH_SCRIPT);
    ASSERT_TRUE(builtin.contains(1100) && builtin.contains(9420));  // both ends of the table were read
    std::vector<int> missing, extra;
    for (const auto& [number, text] : builtin)
        if (!english.contains(number)) missing.push_back(number);
    for (const auto& [number, text] : english)
        if (!builtin.contains(number)) extra.push_back(number);
    EXPECT_EQ(missing, std::vector<int>{});
    EXPECT_EQ(extra, std::vector<int>{});

    for (const auto& [number, text] : english) {
        if (!builtin.contains(number)) continue;
        const std::string& chinese = builtin.at(number);
        SCOPED_TRACE(std::to_string(number) + " " + text);
        for (unsigned char ch : text) EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << "not plain ASCII";
        EXPECT_EQ(FormatConversions(text), FormatConversions(chinese));
        EXPECT_EQ(FilterPatterns(text), FilterPatterns(chinese));
        if (number >= 5000 && number < 5004) {
            EXPECT_EQ(text.substr(0, 2), chinese.substr(0, 1) + " ");  // the area letter first
        }
        if (number >= 6000 && number < 6080) {
            EXPECT_EQ(LeadingDigits(text), LeadingDigits(chinese));
        }
        if (number >= 4000 && number < 4004) {
            EXPECT_EQ(text, chinese);  // value texts typed in either language are accepted
        }
    }
    // The read/write texts inside channel names: distinct, of one length, and unchanged by the upper
    // case the names are made in, so that names stay unique and read back the same.
    const std::set<std::string> readWrite = {english.at(7100), english.at(7101), english.at(7102)};
    EXPECT_EQ(readWrite.size(), 3u);
    for (const std::string& text : readWrite) {
        EXPECT_EQ(text.size(), english.at(7100).size());
        for (char ch : text) EXPECT_TRUE(ch >= 'A' && ch <= 'Z') << text;
    }
}

}  // namespace
