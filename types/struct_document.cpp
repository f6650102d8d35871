#include "types/struct_document.h"

#include "types/array_text.h"

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

constexpr const char* kDeclaration = R"(xml version="1.0" encoding="UTF-8" standalone="no")";
constexpr const char* kRootName = "STURCTUSER";

/// The decoded text of an attribute; an absent attribute gives an empty text.
CString TextAttribute(const XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? CString::FromUtf8(value) : CString();
}

/// Sets number to the attribute's value when the attribute is present: leading white space, an
/// optional sign and decimal digits; a value that does not begin with a number gives 0.
void ReadNumberAttribute(const XMLElement& element, const char* name, int& number) {
    const char* value = element.Attribute(name);
    if (!value) return;
    number = 0;
    ScanDecimal(CString::FromUtf8(value).view(), number);
}

/// The values that carry over from one member to the next while a document is read.
struct SCarriedValues {
    int read = 1;
    int write = 1;
    int length = 0;
    CString mark;
};

SMemberInfo ReadMember(const XMLElement& element, StructDocumentKind kind, SCarriedValues& carried) {
    SMemberInfo member;
    member.Name = TextAttribute(element, "Name");
    member.Type = TextAttribute(element, "Type");
    CString elementType;
    if (ParseArrayText(member.Type, member.Dims, elementType)) member.Type = std::move(elementType);
    ReadNumberAttribute(element, "Read", carried.read);
    ReadNumberAttribute(element, "Write", carried.write);
    ReadNumberAttribute(element, "Length", carried.length);
    if (kind == StructDocumentKind::Predefined || element.Attribute("Mark")) carried.mark = TextAttribute(element, "Mark");
    member.Read = carried.read;
    member.Write = carried.write;
    member.Length = carried.length;
    member.Mark = carried.mark;
    return member;
}

}  // namespace

bool ReadStructDocument(std::string_view text, StructMap& map, StructDocumentKind kind) {
    XMLDocument document;
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) return false;
    const XMLElement* root = document.FirstChildElement();
    if (!root) return false;

    SStructInfo header;
    SCarriedValues carried;
    for (const XMLElement* structure = root->FirstChildElement(); structure; structure = structure->NextSiblingElement()) {
        if (kind == StructDocumentKind::UserFile || structure->Attribute("Name"))
            header.Name = TextAttribute(*structure, "Name");
        ReadNumberAttribute(*structure, "Mode", header.Mode);
        // The structure's Length is written for its readers elsewhere and not used here.
        std::vector<SMemberInfo> members;
        for (const XMLElement* element = structure->FirstChildElement(); element; element = element->NextSiblingElement())
            members.push_back(ReadMember(*element, kind, carried));
        map.try_emplace(header).first->second = std::move(members);
    }
    return true;
}

std::string EmptyStructDocumentText() {
    XMLDocument document;
    document.InsertEndChild(document.NewDeclaration(kDeclaration));
    document.InsertEndChild(document.NewElement(kRootName));
    return PrintStructDocument(document);
}

XMLElement* AppendStructElement(XMLElement& root, const SStructInfo& header, const std::vector<SMemberInfo>& members) {
    XMLDocument& document = *root.GetDocument();
    XMLElement* structure = document.NewElement("Struct");
    structure->SetAttribute("Name", header.Name.ToUtf8().c_str());
    structure->SetAttribute("Length ", header.Length);
    structure->SetAttribute("Mode", header.Mode);
    structure->SetAttribute("Mark", header.Mark.ToUtf8().c_str());
    root.InsertEndChild(structure);
    for (const SMemberInfo& member : members) {
        XMLElement* element = document.NewElement("Element");
        const CString type = member.Dims.empty() ? member.Type.Text() : ArrayText(member.Dims) + member.Type.Text();
        element->SetAttribute("Name", member.Name.ToUtf8().c_str());
        element->SetAttribute("Type", type.ToUtf8().c_str());
        element->SetAttribute("Length", member.Length);
        element->SetAttribute("Read", member.Read);
        element->SetAttribute("Write", member.Write);
        element->SetAttribute("Mark", member.Mark.ToUtf8().c_str());
        structure->InsertEndChild(element);
    }
    return structure;
}

bool RemoveStructElement(XMLElement& root, const CString& name) {
    for (XMLElement* structure = root.FirstChildElement("Struct"); structure; structure = structure->NextSiblingElement()) {
        if (TextAttribute(*structure, "Name") == name) {
            root.DeleteChild(structure);
            return true;
        }
    }
    return false;
}

std::string PrintStructDocument(const XMLDocument& document) {
    tinyxml2::XMLPrinter printer;  // indented, not compact
    document.Print(&printer);
    return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
}

std::optional<std::string> EditStructDocument(std::string_view text, const std::function<bool(XMLElement& root)>& edit) {
    XMLDocument document;
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS || !document.FirstChildElement()) return std::nullopt;
    if (!edit(*document.FirstChildElement())) return std::string(text);
    std::string printed = PrintStructDocument(document);
    XMLDocument check;
    if (check.Parse(printed.data(), printed.size()) != tinyxml2::XML_SUCCESS || !check.FirstChildElement()) return std::nullopt;
    return printed;
}
