#include "types/tag_table_reader.h"

#include <tinyxml2.h>

#include <algorithm>
#include <climits>
#include <string>

#include "types/import_result_codes.h"
#include "platform/file_system.h"

namespace {

using View = std::u16string_view;

/// The largest byte number whose bit offset, with a bit number of up to 9 added, fits a 32-bit
/// signed number.
constexpr int64_t kMaxByteNumber = (INT32_MAX - 9) / 8;

bool IsLetter(char16_t ch) { return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z'); }
bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

int64_t LeadingNumber(View text) {
    int64_t number = 0;
    for (size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) number = std::min(number * 10 + (text[i] - u'0'), kMaxByteNumber);
    return number;
}

CString AttributeText(const tinyxml2::XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? CString::FromUtf8(value) : CString();
}

/// The register area: the character after the first "%", or the first character without one.
CString AreaOf(const CString& address) {
    const int percent = address.Find(u'%');
    const int at = percent < 0 ? 0 : percent + 1;
    return at < address.GetLength() ? address.Mid(at, 1) : CString();
}

SFlatMember ReadTag(const tinyxml2::XMLElement& element, const CString& address) {
    SFlatMember tag;
    const tinyxml2::XMLNode* text = element.FirstChild();
    if (text && text->Value()) tag.Name = CString::FromUtf8(text->Value());
    tag.Type = AttributeText(element, "type");
    tag.Mark = AttributeText(element, "remark");
    tag.Read = AttributeText(element, "hmiVisible") == u"False" ? 0 : 1;
    tag.Write = AttributeText(element, "hmiWriteable") == u"False" ? 0 : 1;
    tag.Block = AreaOf(address);
    tag.BitOffset = TagAddressBitOffset(address.view());
    return tag;
}

}  // namespace

int TagAddressBitOffset(std::u16string_view address) {
    if (address.empty()) return 0;
    View number = address.substr(1);
    while (!number.empty() && IsLetter(number.front())) number.remove_prefix(1);
    const size_t dot = number.find(u'.');
    int64_t bits = LeadingNumber(number.substr(0, dot)) * 8;
    if (dot != View::npos && dot + 1 < number.size() && IsDigit(number[dot + 1])) bits += number[dot + 1] - u'0';
    return static_cast<int>(bits);
}

int ReadTagTableText(std::string_view xml, std::vector<SFlatMember>& records) {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) return kTagFileUnusable;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || !root->FirstChildElement()) return kTagFileUnusable;
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element; element = element->NextSiblingElement()) {
        const CString address = AttributeText(*element, "addr");
        if (!address.IsEmpty()) records.push_back(ReadTag(*element, address));
    }
    return 1;
}

int ReadTagTable(const CString& path, std::vector<SFlatMember>& records) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return kTagFileUnusable;
    return ReadTagTableText(bytes, records);
}
