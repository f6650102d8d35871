// Fuzz target: reading the user data type file. Any input must be read without fault, in both of
// its readings; every structure read must write back and read again unchanged; and an edited
// document, when the editing gives one to write, must read back with the edit in it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "types/struct_document.h"

namespace {

// The XML library turns a carriage return in an attribute value into a line feed when it reads
// the value back; such texts cannot come back unchanged.
bool HasCarriageReturn(std::u16string_view text) { return text.find(u'\r') != std::u16string_view::npos; }

bool Writable(const SStructInfo& header, const std::vector<SMemberInfo>& members) {
    if (HasCarriageReturn(header.Name.view())) return false;
    for (const SMemberInfo& m : members)
        if (HasCarriageReturn(m.Name.view()) || HasCarriageReturn(m.Type.view()) || HasCarriageReturn(m.Mark.view())) return false;
    return true;
}

void CheckRoundTrip(const StructMap& read) {
    tinyxml2::XMLDocument document;
    const std::string empty = EmptyStructDocumentText();
    if (document.Parse(empty.data(), empty.size()) != tinyxml2::XML_SUCCESS) std::abort();
    StructMap written;
    for (const auto& [header, members] : read) {
        if (!Writable(header, members)) continue;
        AppendStructElement(*document.RootElement(), header, members);
        written.emplace(header, members);
    }
    StructMap again;
    if (!ReadStructDocument(PrintStructDocument(document), again, StructDocumentKind::UserFile)) std::abort();
    if (again.size() != written.size()) std::abort();
    for (const auto& [header, members] : written) {
        const auto entry = again.find(header.Name.view());
        if (entry == again.end() || entry->first.Mode != header.Mode || entry->second != members) std::abort();
    }
}

/// Editing the loaded document as the file's writers do: what is written must read back, with the
/// appended structure as it was given.
void CheckEdits(std::string_view text, const StructMap& read) {
    SStructInfo header;
    header.Name = u"Appended";
    SMemberInfo member;
    member.Name = u"a";
    member.Type = u"Int";
    member.Dims = {{0, 3}};
    const std::vector<SMemberInfo> members = {member};
    const std::optional<std::string> edited = EditStructDocument(text, [&](tinyxml2::XMLElement& root) {
        if (!read.empty()) RemoveStructElement(root, read.begin()->first.Name);
        AppendStructElement(root, header, members);
        return true;
    });
    if (!edited) return;
    StructMap again;
    if (!ReadStructDocument(*edited, again, StructDocumentKind::UserFile)) std::abort();
    const auto entry = again.find(header.Name.view());
    if (entry == again.end() || entry->second != members) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    StructMap predefined;
    ReadStructDocument(text, predefined, StructDocumentKind::Predefined);
    StructMap read;
    if (!ReadStructDocument(text, read, StructDocumentKind::UserFile)) return 0;
    CheckRoundTrip(read);
    CheckEdits(text, read);
    return 0;
}
