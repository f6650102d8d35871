// Changes to the user data type file collected while a command runs, so that the file is written
// once, after all of them, instead of once per structure.
#pragma once

#include <vector>

#include <tinyxml2.h>

#include "types/type_records.h"

/// The changes, in the order made: appending a structure, removing the first structure of a Name,
/// or both (a replacement).
class StructFileEdits {
public:
    void Append(const SStructInfo& header, const std::vector<SMemberInfo>& members);
    void Remove(const CString& name);
    void Replace(const SStructInfo& header, const std::vector<SMemberInfo>& members);

    bool Empty() const { return edits_.empty(); }
    void Clear() { edits_.clear(); }

    /// Makes every change to the document under root, in order, with the effect of making them one
    /// at a time (a removal takes the first structure of that Name there is by then), in time
    /// linear in the structures and members. True when anything changed.
    bool ApplyTo(tinyxml2::XMLElement& root) const;

private:
    struct SEdit {
        bool remove = false;
        bool append = false;
        SStructInfo header;
        std::vector<SMemberInfo> members;
    };
    std::vector<SEdit> edits_;
};
