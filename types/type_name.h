// A member's or a leaf's type name, held in one pointer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/cstring.h"

/// The name of a member's type. A plant's or a large block's million members and leaves name a few
/// dozen types, so a type name is one pointer to a text kept once for the whole program, which
/// copies share; a copy costs no allocation and may be made on any thread. The names of inline
/// structures (one per declaration, see IsSyntheticStructName) and names longer than
/// kMaxKeptTypeName are held by each copy instead, so that what the program keeps is bounded by
/// the named types it has read. An empty name holds nothing.
class CTypeName {
public:
    /// The longest name kept for the whole program.
    static constexpr size_t kMaxKeptTypeName = 64;

    CTypeName() = default;
    CTypeName(std::u16string_view text);  // NOLINT: stands where a text stood
    CTypeName(const CString& text) : CTypeName(text.view()) {}  // NOLINT
    CTypeName(const std::u16string& text) : CTypeName(std::u16string_view(text)) {}  // NOLINT
    CTypeName(const char16_t* text) : CTypeName(std::u16string_view(text)) {}  // NOLINT
    CTypeName(const CTypeName& other) : bits_(other.Copied()) {}
    CTypeName(CTypeName&& other) noexcept : bits_(std::exchange(other.bits_, 0)) {}
    CTypeName& operator=(const CTypeName& other) {
        if (this != &other) {
            LetGo();
            bits_ = other.Copied();
        }
        return *this;
    }
    CTypeName& operator=(CTypeName&& other) noexcept {
        if (this != &other) {
            LetGo();
            bits_ = std::exchange(other.bits_, 0);
        }
        return *this;
    }
    ~CTypeName() { LetGo(); }

    const CString& Text() const;
    operator const CString&() const { return Text(); }  // NOLINT: reads as the text it names
    std::u16string_view view() const { return Text().view(); }
    const std::u16string& str() const { return Text().str(); }
    const char16_t* GetString() const { return Text().GetString(); }
    std::string ToUtf8() const { return Text().ToUtf8(); }
    bool IsEmpty() const { return bits_ == 0; }
    /// Whether the name is one kept for the whole program: then Text() is the same text, at the
    /// same place, for every copy of the name and for as long as the program runs.
    bool IsKept() const { return bits_ != 0 && !(bits_ & kHeldAlone); }
    int GetLength() const { return Text().GetLength(); }

    friend bool operator==(const CTypeName& a, const CTypeName& b) { return a.bits_ == b.bits_ || a.view() == b.view(); }
    friend bool operator==(const CTypeName& a, std::u16string_view b) { return a.view() == b; }
    friend bool operator==(const CTypeName& a, const char16_t* b) { return a.view() == b; }
    friend bool operator==(const CTypeName& a, const CString& b) { return a.view() == b.view(); }
    friend bool operator==(const CTypeName& a, const std::u16string& b) { return a.view() == b; }

private:
    /// The low bit marks a text held by this copy alone.
    static constexpr uintptr_t kHeldAlone = 1;
    const CString* Pointer() const { return reinterpret_cast<const CString*>(bits_ & ~kHeldAlone); }
    uintptr_t Copied() const;
    void LetGo();

    uintptr_t bits_ = 0;
};
static_assert(sizeof(CTypeName) == sizeof(void*), "a type name takes one pointer");
