#include "types/simaticml_tag_table.h"

#include <cstring>
#include <optional>

#include "types/tag_table_reader.h"

namespace {

using tinyxml2::XMLElement;

/// The text of the child element named name, "" when there is none or it is empty.
CString ChildText(const XMLElement* parent, const char* name) {
    const XMLElement* child = parent ? parent->FirstChildElement(name) : nullptr;
    const char* text = child ? child->GetText() : nullptr;
    return text ? CString::FromUtf8(text) : CString();
}

bool IsFalse(const CString& value) {
    CString lower = value;
    lower.Trim();
    lower.MakeLower();
    return lower == u"false";
}

/// The first non-empty text of the tag's comment, in whichever culture it stands first.
CString CommentOf(const XMLElement& tag) {
    const XMLElement* objects = tag.FirstChildElement("ObjectList");
    for (const XMLElement* text = objects ? objects->FirstChildElement("MultilingualText") : nullptr; text;
         text = text->NextSiblingElement("MultilingualText")) {
        const char* role = text->Attribute("CompositionName");
        if (!role || std::strcmp(role, "Comment") != 0) continue;
        const XMLElement* items = text->FirstChildElement("ObjectList");
        for (const XMLElement* item = items ? items->FirstChildElement("MultilingualTextItem") : nullptr; item;
             item = item->NextSiblingElement("MultilingualTextItem")) {
            const CString comment = ChildText(item->FirstChildElement("AttributeList"), "Text");
            if (!comment.IsEmpty()) return comment;
        }
    }
    return CString();
}

void ReadTag(const XMLElement& tag, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    const XMLElement* attributes = tag.FirstChildElement("AttributeList");
    const CString address = ChildText(attributes, "LogicalAddress");
    if (address.IsEmpty()) return;  // names no place in the PLC's memory
    const std::optional<STagAddress> read = ReadTagAddress(address.view());
    if (!read) {
        if (notes)
            notes->push_back(SReaderNote{SReaderNote::kRefusedTagAddress, CString(), tag.GetLineNum(),
                                         ChildText(attributes, "Name"), address});
        return;
    }
    SFlatMember record;
    record.Name = ChildText(attributes, "Name");
    record.Type = ChildText(attributes, "DataTypeName");
    record.Mark = CommentOf(tag);
    record.Read = IsFalse(ChildText(attributes, "ExternalVisible")) ? 0 : 1;
    record.Write = IsFalse(ChildText(attributes, "ExternalWritable")) ? 0 : 1;
    record.Block = std::u16string_view(&read->area, 1);
    record.BitOffset = read->bitOffset;
    records.push_back(std::move(record));
}

}  // namespace

bool IsPlcTagTableDocument(const XMLElement& root) {
    return std::strcmp(root.Name(), "Document") == 0 && root.FirstChildElement("SW.Tags.PlcTagTable") != nullptr;
}

void ReadPlcTagTableDocument(const XMLElement& root, std::vector<SFlatMember>& records, ReaderNotes* notes) {
    for (const XMLElement* table = root.FirstChildElement("SW.Tags.PlcTagTable"); table;
         table = table->NextSiblingElement("SW.Tags.PlcTagTable")) {
        const XMLElement* objects = table->FirstChildElement("ObjectList");
        for (const XMLElement* tag = objects ? objects->FirstChildElement("SW.Tags.PlcTag") : nullptr; tag;
             tag = tag->NextSiblingElement("SW.Tags.PlcTag"))
            ReadTag(*tag, records, notes);
    }
}
