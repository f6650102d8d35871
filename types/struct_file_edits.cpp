#include "types/struct_file_edits.h"

#include <deque>
#include <unordered_map>

#include "types/struct_document.h"

using tinyxml2::XMLElement;

void StructFileEdits::Append(const SStructInfo& header, const std::vector<SMemberInfo>& members) {
    edits_.push_back({false, true, header, members});
}

void StructFileEdits::Remove(const CString& name) {
    SEdit edit;
    edit.remove = true;
    edit.header.Name = name;
    edits_.push_back(std::move(edit));
}

void StructFileEdits::Replace(const SStructInfo& header, const std::vector<SMemberInfo>& members) {
    edits_.push_back({true, true, header, members});
}

bool StructFileEdits::ApplyTo(XMLElement& root) const {
    if (edits_.empty()) return false;
    // The structures of each Name in document order; an appended one joins the end of its list, so
    // that the first of a list is always the first of that Name in the document.
    std::unordered_map<std::string, std::deque<XMLElement*>> byName;
    for (XMLElement* structure = root.FirstChildElement("Struct"); structure; structure = structure->NextSiblingElement()) {
        const char* name = structure->Attribute("Name");
        byName[name ? name : ""].push_back(structure);
    }
    bool changed = false;
    for (const SEdit& edit : edits_) {
        const std::string name = edit.header.Name.ToUtf8();
        if (edit.remove) {
            const auto found = byName.find(name);
            if (found != byName.end() && !found->second.empty()) {
                root.DeleteChild(found->second.front());
                found->second.pop_front();
                changed = true;
            }
        }
        if (edit.append) {
            byName[name].push_back(AppendStructElement(root, edit.header, edit.members));
            changed = true;
        }
    }
    return changed;
}
