// UTF-16 text as the framework holds it, with the operations the driver's algorithms are written in.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

/// A text of UTF-16 code units. Positions and lengths count code units, as the framework does.
/// Case operations (MakeUpper, CompareNoCase) fold only the ASCII letters, as the framework does in
/// its default locale; Chinese and other characters are left as they are.
class CString {
public:
    CString() = default;
    CString(const char16_t* text);                 // NOLINT: implicit, as the framework's text type
    CString(std::u16string text) : text_(std::move(text)) {}  // NOLINT
    CString(std::u16string_view text) : text_(text) {}        // NOLINT
    CString(char16_t ch, int repeat);

    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const char16_t* GetString() const { return text_.c_str(); }
    const std::u16string& str() const { return text_; }
    std::u16string_view view() const { return text_; }

    /// The character at index; the invalid-argument exception outside 0 to length - 1.
    char16_t GetAt(int index) const;
    char16_t operator[](int index) const { return GetAt(index); }

    /// Position of the first occurrence at or after start, or -1.
    int Find(const CString& sub, int start = 0) const;
    int Find(char16_t ch, int start = 0) const;
    int ReverseFind(char16_t ch) const;
    /// Position of the first character that is one of chars, or -1.
    int FindOneOf(const CString& chars) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    /// Removes white space (blank, tab, CR, LF, VT, FF) from the ends.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(char16_t ch);

    CString& MakeUpper();
    CString& MakeLower();

    /// Replaces every occurrence, scanning left to right without rescanning replaced text.
    /// Returns the number of replacements.
    int Replace(const CString& old, const CString& replacement);
    int Replace(char16_t old, char16_t replacement);
    int Remove(char16_t ch);
    int Delete(int index, int count = 1);

    /// Ordinal comparison of code units: negative, 0 or positive.
    int Compare(const CString& other) const;
    /// As Compare, with ASCII letters folded to lower case.
    int CompareNoCase(const CString& other) const;

    /// printf-style formatting. Conversions: d i u x X o c s f F e E g G and %%, with flags, width
    /// and precision ('*' too) and the length modifiers l, ll, h, hh, z. %s takes a const char16_t*
    /// (use GetString()); %c takes a char16_t promoted to int.
    void Format(const char16_t* format, ...);
    static CString Formatted(const char16_t* format, ...);

    /// Replaces the text, keeping the storage the text has when it is large enough (a list of
    /// descriptions filled again and again allocates nothing new).
    CString& Assign(std::u16string_view text) { text_.assign(text); return *this; }
    CString& operator+=(const CString& other) { text_ += other.text_; return *this; }
    CString& operator+=(char16_t ch) { text_ += ch; return *this; }
    friend CString operator+(CString a, const CString& b) { a += b; return a; }
    friend CString operator+(CString a, char16_t ch) { a += ch; return a; }
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }
    friend bool operator==(const CString& a, const char16_t* b) { return a.text_ == b; }

private:
    std::u16string text_;
};

template <>
struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::u16string>{}(s.str()); }
};

/// Reads a number as swscanf's "%d" does: leading white space, an optional sign, decimal digits.
/// Returns false and leaves value unchanged when no digit is found.
bool ScanDecimal(std::u16string_view text, int& value);
/// Reads a text that is one 32-bit decimal number and nothing else (blanks around it and a sign
/// allowed). Returns false and leaves value unchanged for any other text, and for a number that a
/// 32-bit integer cannot hold, instead of wrapping it as ScanDecimal does.
bool ScanWholeDecimal(std::u16string_view text, int& value);
/// Reads a number as swscanf's "%X" does: leading white space, an optional sign, an optional "0x",
/// hexadecimal digits. Returns false and leaves value unchanged when no digit is found.
bool ScanHex(std::u16string_view text, int& value);
