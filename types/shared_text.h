// A member's comment, whose characters are shared by every copy of it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/cstring.h"

/// A text that does not change once made, held in one pointer: a copy shares the characters and
/// counts itself, and the last copy let go of frees them. The layout gives each leaf the comment
/// of the member it was laid out from, so the half a million leaves of a plant share the comments
/// of a few thousand declarations instead of holding a copy each. Copies may be made and let go
/// of on several threads at once. An empty text holds nothing.
class CSharedText {
public:
    CSharedText() = default;
    CSharedText(std::u16string_view text);  // NOLINT: a text is a comment
    CSharedText(const CString& text) : CSharedText(text.view()) {}  // NOLINT
    CSharedText(const std::u16string& text) : CSharedText(std::u16string_view(text)) {}  // NOLINT
    CSharedText(const char16_t* text) : CSharedText(std::u16string_view(text)) {}  // NOLINT
    CSharedText(const CSharedText& other) noexcept;
    CSharedText(CSharedText&& other) noexcept : held_(other.held_) { other.held_ = nullptr; }
    CSharedText& operator=(const CSharedText& other) noexcept;
    CSharedText& operator=(CSharedText&& other) noexcept;
    ~CSharedText() { LetGo(); }

    std::u16string_view view() const;
    bool IsEmpty() const { return held_ == nullptr; }
    int GetLength() const { return static_cast<int>(view().size()); }
    std::string ToUtf8() const { return Text().ToUtf8(); }
    /// A copy of the characters as a text of its own.
    CString Text() const { return CString(view()); }

    friend bool operator==(const CSharedText& a, const CSharedText& b) { return a.view() == b.view(); }
    friend bool operator==(const CSharedText& a, std::u16string_view b) { return a.view() == b; }
    friend bool operator==(const CSharedText& a, const char16_t* b) { return a.view() == b; }
    friend bool operator==(const CSharedText& a, const CString& b) { return a.view() == b.view(); }

private:
    /// The count and the length, followed by the characters in the same allocation.
    struct SHeld {
        std::atomic<uint32_t> copies;
        uint32_t length;
    };
    void LetGo() noexcept;

    SHeld* held_ = nullptr;
};
