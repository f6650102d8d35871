#include "types/batch_member_text.h"

#include <string>

#include "platform/invalid_arg.h"
#include "types/member_row_text.h"

namespace {

constexpr const char16_t* kLineEnd = u"\r\n";
constexpr const char16_t* kFieldSeparator = u"\t";

enum BatchField { kNameField, kTypeField, kReadField = 4, kWriteField = 5, kMarkField = 7 };
constexpr size_t kFieldsOfAMember = 6;

bool IsTrue(const CString& field) { return field.CompareNoCase(CString(u"True")) == 0; }

SMemberInfo MemberFromFields(const std::vector<CString>& fields) {
    SMemberInfo member;
    member.Name = fields[kNameField];
    ReadLengthSuffix(ReadArrayPart(fields[kTypeField], member), member);
    member.Read = IsTrue(fields[kReadField]) ? 1 : 0;
    member.Write = IsTrue(fields[kWriteField]) ? 1 : 0;
    if (fields.size() > kMarkField) member.Mark = fields[kMarkField];
    return member;
}

struct SSampleLine {
    const char16_t* type;
    const char16_t* startValue;
};

/// Lines 8 to 26 of the sample; lines 1 to 7 are Bool with the start value false.
constexpr SSampleLine kSampleLines[] = {
    {u"Byte", u"16#0"},
    {u"Char", u"' '"},
    {u"DInt", u"0"},
    {u"DWord", u"16#0"},
    {u"Date", u"D#1990-01-01"},
    {u"Int", u"0"},
    {u"LReal", u"0.0"},
    {u"Real", u"0.0"},
    {u"SInt", u"0"},
    {u"String", u"''"},
    {u"Time", u"T#0ms"},
    {u"Time_Of_Day", u"TOD#00:00:00"},
    {u"UDInt", u"0"},
    {u"UInt", u"0"},
    {u"USInt", u"0"},
    {u"WChar", u"WCHAR#' '"},
    {u"Word", u"16#0"},
    {u"Array[22..566] of Bool", u""},
    {u"Array[0..5] of String[12]", u""},
};
constexpr int kBoolSampleLines = 7;
constexpr int kCommentedSampleLines = 9;

}  // namespace

std::vector<CString> SplitBatchText(const CString& text, const CString& separator) {
    if (text.IsEmpty() || separator.IsEmpty()) return {};
    if (text.Find(separator) < 0) return {text};
    std::u16string_view rest = text.view();
    if (rest.back() == u'\t') rest.remove_suffix(1);
    std::vector<CString> pieces;
    const std::u16string_view cut = separator.view();
    for (size_t at; (at = rest.find(cut)) != std::u16string_view::npos; rest.remove_prefix(at + cut.size()))
        pieces.emplace_back(rest.substr(0, at));
    pieces.emplace_back(rest);
    return pieces;
}

std::vector<CString> BatchLines(const CString& text) { return SplitBatchText(text, kLineEnd); }

CString BatchSampleText() {
    std::u16string text;
    const int lines = kBoolSampleLines + static_cast<int>(std::size(kSampleLines));
    for (int line = 1; line <= lines; ++line) {
        const bool isBool = line <= kBoolSampleLines;
        const SSampleLine& sample = isBool ? SSampleLine{u"Bool", u"false"} : kSampleLines[line - kBoolSampleLines - 1];
        text += CString::Formatted(u"Element_%d\t", line).str() + sample.type + u'\t' + sample.startValue;
        text += u"\tTrue\tTrue\tTrue\tFalse\t";
        if (line <= kCommentedSampleLines) text += u"Comment";
        text += kLineEnd;
    }
    return CString(std::move(text));
}

std::vector<SMemberInfo> ParseBatchMembers(const CString& text) {
    std::vector<SMemberInfo> members;
    for (const CString& line : BatchLines(text)) {
        const std::vector<CString> fields = SplitBatchText(line, kFieldSeparator);
        if (fields.size() < 2) continue;
        if (fields.size() < kFieldsOfAMember) throw CInvalidArgException("a batch member line has fewer than six fields");
        members.push_back(MemberFromFields(fields));
    }
    return members;
}
