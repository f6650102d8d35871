#include "types/member_row_text.h"

#include "types/array_text.h"

namespace {

constexpr const char16_t* kReadWrite = u"Read/Write";
constexpr const char16_t* kReadOnly = u"Read Only";
constexpr const char16_t* kNone = u"None";

}  // namespace

CString MemberTypeText(const SMemberInfo& member) {
    CString text = member.Type;
    if (member.Length >= 1) text += CString::Formatted(u"[%d]", member.Length);
    if (!member.Dims.empty()) text = ArrayText(member.Dims) + text;
    return text;
}

CString ReadArrayPart(const CString& typeText, SMemberInfo& member) {
    member.Dims.clear();
    CString element;
    if (typeText.Find(CString(u"Array")) < 0 || !ParseArrayText(typeText, member.Dims, element)) return typeText;
    return element;
}

void ReadLengthSuffix(const CString& type, SMemberInfo& member) {
    const int open = type.Find(u'[');
    const int close = open < 0 ? -1 : type.Find(u']', open + 1);
    member.Length = 0;
    if (close < 0) {
        member.Type = type;
        return;
    }
    ScanDecimal(type.Mid(open + 1, close - open - 1).view(), member.Length);
    member.Type = type.Left(open);
}

CString ReadWriteLabel(int read, int write) {
    if (read == 1) return write == 1 ? kReadWrite : kReadOnly;
    return write == 1 ? CString() : CString(kNone);
}

void ReadReadWriteLabel(const CString& label, SMemberInfo& member) {
    const bool readWrite = label == kReadWrite;
    const bool readOnly = label == kReadOnly;
    const bool none = label == kNone;
    member.Read = readWrite || readOnly ? 1 : 0;
    member.Write = readWrite || !(readOnly || none) ? 1 : 0;
}
