// The name of the block (or register area) a record belongs to, held in one pointer.
#pragma once

#include <string>
#include <string_view>

#include "platform/cstring.h"

/// A block name is kept once for the life of the process, and a record or a leaf holds a pointer
/// to it: the half a million leaves of a plant, and the million tags of a tag table, each name
/// their block in 8 bytes and copy it without allocating. Names are few (one for each block or
/// register area ever read), so keeping them all costs little. Two block names are equal when
/// their texts are.
class CBlockName {
public:
    CBlockName() : name_(&Empty()) {}
    CBlockName(std::u16string_view name);  // NOLINT: a text is a block name
    CBlockName(const CString& name) : CBlockName(name.view()) {}  // NOLINT
    CBlockName(const std::u16string& name) : CBlockName(std::u16string_view(name)) {}  // NOLINT
    CBlockName(const char16_t* name) : CBlockName(std::u16string_view(name)) {}  // NOLINT

    operator const CString&() const { return *name_; }  // NOLINT: read wherever a text is
    const CString& Text() const { return *name_; }
    std::u16string_view view() const { return name_->view(); }
    bool IsEmpty() const { return name_->IsEmpty(); }
    int GetLength() const { return name_->GetLength(); }
    std::string ToUtf8() const { return name_->ToUtf8(); }

    /// Each text is kept once, so the same text is the same pointer.
    friend bool operator==(const CBlockName& a, const CBlockName& b) { return a.name_ == b.name_; }
    friend bool operator==(const CBlockName& a, const char16_t* b) { return *a.name_ == b; }
    friend bool operator==(const CBlockName& a, const CString& b) { return *a.name_ == b; }

private:
    static const CString& Empty();
    const CString* name_;
};
