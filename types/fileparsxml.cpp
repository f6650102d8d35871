#include "types/fileparsxml.h"

#include <algorithm>
#include <string>

#include "platform/file_system.h"
#include "platform/module.h"
#include "platform/resources.h"
#include "types/struct_document.h"

namespace {

/// Loads the file, lets edit change it (edit returns whether it changed anything) and writes it
/// back when it did. False when the file cannot be loaded or written.
bool EditFile(const CString& path, const std::function<bool(tinyxml2::XMLElement&)>& edit) {
    return EditFileLocked(path, [&](const std::string& text) { return EditStructDocument(text, edit); });
}

}  // namespace

Fileparsxml::Fileparsxml(CString path) : path_(path.IsEmpty() ? DefaultPath() : std::move(path)) {}

CString Fileparsxml::DefaultPath() {
    const CString module = GetModuleFileNameW(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&Fileparsxml::DefaultPath)));
    const CString folder = module.Left(std::max(module.ReverseFind(u'/'), 0));
    const CString parent = folder.Left(folder.ReverseFind(u'/') + 1);  // keeps its separator
    return parent + CString(u"DataType.xml");
}

bool Fileparsxml::Exists() const { return PathExists(path_); }

bool Fileparsxml::CreateEmptyFile() const { return CreateFileIfMissing(path_, EmptyStructDocumentText()); }

bool Fileparsxml::ReadFile(StructMap& map) const {
    std::string text;
    return ReadWholeFile(path_, text) && ReadStructDocument(text, map, StructDocumentKind::UserFile);
}

bool Fileparsxml::ReadPredefined(StructMap& map) {
    const HMODULE module = AfxGetResourceHandle();
    const HRSRC resource = FindResourceW(module, kPredefinedTypesResourceId, kPredefinedTypesResourceType);
    if (!resource) return false;
    const uint32_t size = SizeofResource(module, resource);
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return false;
    return ReadStructDocument(std::string_view(static_cast<const char*>(bytes), size), map, StructDocumentKind::Predefined);
}

bool Fileparsxml::LoadAll(StructMap& map) const {
    // A file that cannot be read keeps the user's content: never overwritten.
    const bool readable = Exists() ? ReadFile(map) : (CreateEmptyFile(), true);
    ReadPredefined(map);
    return readable;
}

bool Fileparsxml::IsReadOnly() const { return IsReadOnlyFile(path_); }

bool Fileparsxml::ApplyEdits(const StructFileEdits& edits) const {
    if (edits.Empty()) return true;
    return EditFile(path_, [&](tinyxml2::XMLElement& root) { return edits.ApplyTo(root); });
}

bool Fileparsxml::AppendStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members) const {
    return EditFile(path_, [&](tinyxml2::XMLElement& root) {
        AppendStructElement(root, header, members);
        return true;
    });
}

bool Fileparsxml::AppendStructs(const StructMap& structures) const {
    return EditFile(path_, [&](tinyxml2::XMLElement& root) {
        for (const auto& [header, members] : structures) AppendStructElement(root, header, members);
        return !structures.empty();
    });
}

bool Fileparsxml::DeleteStruct(const CString& name) const {
    return EditFile(path_, [&](tinyxml2::XMLElement& root) { return RemoveStructElement(root, name); });
}

bool Fileparsxml::ReplaceStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members) const {
    return EditFile(path_, [&](tinyxml2::XMLElement& root) {
        RemoveStructElement(root, header.Name);
        AppendStructElement(root, header, members);
        return true;
    });
}
