#include "platform/cstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "platform/code_page.h"
#include "platform/invalid_arg.h"

namespace {

bool IsBlank(char16_t ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }
char16_t AsciiUpper(char16_t ch) { return (ch >= u'a' && ch <= u'z') ? ch - 32 : ch; }
char16_t AsciiLower(char16_t ch) { return (ch >= u'A' && ch <= u'Z') ? ch + 32 : ch; }

std::u16string Widen(const char* ascii) {
    std::u16string out;
    for (; *ascii; ++ascii) out += static_cast<char16_t>(static_cast<unsigned char>(*ascii));
    return out;
}

/// The argument list, wrapped so that helpers can take it by reference on every ABI.
struct VaArgs {
    va_list list;
};

/// One conversion of a format text ("%-8.3ld"), split into its parts.
struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    std::string length;
    char conversion = 0;
};

/// Parses the conversion after '%' at format[i]; leaves i on the conversion character.
Conversion ParseSpec(const char16_t* format, size_t& i, VaArgs& args) {
    Conversion conv;
    while (format[i] && std::u16string_view(u"-+ #0").find(format[i]) != std::u16string_view::npos)
        conv.flags += static_cast<char>(format[i++]);
    if (format[i] == u'*') {
        conv.width = va_arg(args.list, int);
        ++i;
    } else {
        while (format[i] >= u'0' && format[i] <= u'9')
            conv.width = std::max(conv.width, 0) * 10 + (format[i++] - u'0');
    }
    if (format[i] == u'.') {
        ++i;
        conv.precision = 0;
        if (format[i] == u'*') {
            conv.precision = va_arg(args.list, int);
            ++i;
        } else {
            while (format[i] >= u'0' && format[i] <= u'9') conv.precision = conv.precision * 10 + (format[i++] - u'0');
        }
    }
    while (format[i] == u'l' || format[i] == u'h' || format[i] == u'z') conv.length += static_cast<char>(format[i++]);
    conv.conversion = static_cast<char>(format[i]);
    return conv;
}

std::string NarrowSpec(const Conversion& conv, const char* length) {
    std::string out = "%" + conv.flags;
    if (conv.width >= 0) out += std::to_string(conv.width);
    if (conv.precision >= 0) out += "." + std::to_string(conv.precision);
    return out + length + conv.conversion;
}

std::u16string FormatInteger(const Conversion& conv, VaArgs& args) {
    char buffer[128];
    const bool isSigned = conv.conversion == 'd' || conv.conversion == 'i';
    if (conv.length == "ll" || conv.length == "l" || conv.length == "z") {
        if (isSigned) {
            long long v = conv.length == "ll" ? va_arg(args.list, long long) : conv.length == "l" ? va_arg(args.list, long) : va_arg(args.list, ptrdiff_t);
            std::snprintf(buffer, sizeof buffer, NarrowSpec(conv, "ll").c_str(), v);
        } else {
            unsigned long long v = conv.length == "ll" ? va_arg(args.list, unsigned long long)
                                   : conv.length == "l" ? va_arg(args.list, unsigned long) : va_arg(args.list, size_t);
            std::snprintf(buffer, sizeof buffer, NarrowSpec(conv, "ll").c_str(), v);
        }
    } else {
        int v = va_arg(args.list, int);
        if (conv.length == "h") v = isSigned ? static_cast<short>(v) : static_cast<unsigned short>(v);
        if (conv.length == "hh") v = isSigned ? static_cast<signed char>(v) : static_cast<unsigned char>(v);
        std::snprintf(buffer, sizeof buffer, NarrowSpec(conv, "").c_str(), v);
    }
    return Widen(buffer);
}

std::u16string FormatFloat(const Conversion& conv, VaArgs& args) {
    double v = va_arg(args.list, double);
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, NarrowSpec(conv, "").c_str(), v);
    return Widen(buffer);
}

std::u16string Pad(std::u16string text, const Conversion& conv) {
    if (conv.width > static_cast<int>(text.size())) {
        std::u16string fill(conv.width - text.size(), u' ');
        text = conv.flags.find('-') != std::string::npos ? text + fill : fill + text;
    }
    return text;
}

std::u16string FormatText(const Conversion& conv, VaArgs& args) {
    const char16_t* s = va_arg(args.list, const char16_t*);
    std::u16string text = s ? s : u"(null)";
    if (conv.precision >= 0 && conv.precision < static_cast<int>(text.size())) text.resize(conv.precision);
    return Pad(std::move(text), conv);
}

std::u16string FormatWith(const char16_t* format, VaArgs& args) {
    std::u16string out;
    for (size_t i = 0; format[i]; ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        ++i;
        if (format[i] == u'%') {
            out += u'%';
            continue;
        }
        Conversion conv = ParseSpec(format, i, args);
        switch (conv.conversion) {
            case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
                out += FormatInteger(conv, args);
                break;
            case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
                out += FormatFloat(conv, args);
                break;
            case 's':
                out += FormatText(conv, args);
                break;
            case 'c':
                out += Pad(std::u16string(1, static_cast<char16_t>(va_arg(args.list, int))), conv);
                break;
            default:  // an unknown or missing conversion is copied as it stands
                if (!format[i]) return out;
                out += format[i];
        }
    }
    return out;
}

std::u16string FormatV(const char16_t* format, va_list list) {
    VaArgs args;
    va_copy(args.list, list);
    std::u16string out = FormatWith(format, args);
    va_end(args.list);
    return out;
}

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

}  // namespace

CString::CString(const char16_t* text) : text_(text ? text : u"") {}
CString::CString(char16_t ch, int repeat) : text_(std::max(repeat, 0), ch) {}

CString CString::FromUtf8(std::string_view utf8) { return CString(Utf8ToUtf16(utf8)); }
std::string CString::ToUtf8() const { return Utf16ToUtf8(text_); }

char16_t CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) throw CInvalidArgException("text index outside the text");
    return text_[index];
}

int CString::Find(const CString& sub, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    size_t pos = text_.find(sub.text_, start);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(char16_t ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    size_t pos = text_.find(ch, start);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char16_t ch) const {
    size_t pos = text_.rfind(ch);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const CString& chars) const {
    size_t pos = text_.find_first_of(chars.text_);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    first = Clamp(first, 0, GetLength());
    count = Clamp(count, 0, GetLength() - first);
    return CString(text_.substr(first, count));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < text_.size() && IsBlank(text_[i])) ++i;
    text_.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = text_.size();
    while (n > 0 && IsBlank(text_[n - 1])) --n;
    text_.resize(n);
    return *this;
}

CString& CString::Trim(char16_t ch) {
    size_t first = text_.find_first_not_of(ch);
    if (first == std::u16string::npos) {
        text_.clear();
        return *this;
    }
    text_ = text_.substr(first, text_.find_last_not_of(ch) - first + 1);
    return *this;
}

CString& CString::MakeUpper() {
    std::transform(text_.begin(), text_.end(), text_.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(text_.begin(), text_.end(), text_.begin(), AsciiLower);
    return *this;
}

int CString::Replace(const CString& old, const CString& replacement) {
    if (old.IsEmpty()) return 0;
    size_t pos = text_.find(old.text_);
    if (pos == std::u16string::npos) return 0;
    std::u16string out;
    out.reserve(text_.size());
    size_t from = 0;
    int count = 0;
    for (; pos != std::u16string::npos; pos = text_.find(old.text_, from), ++count) {
        out.append(text_, from, pos - from);
        out += replacement.text_;
        from = pos + old.text_.size();
    }
    out.append(text_, from, std::u16string::npos);
    text_ = std::move(out);
    return count;
}

int CString::Replace(char16_t old, char16_t replacement) {
    int count = 0;
    for (char16_t& ch : text_) {
        if (ch == old) {
            ch = replacement;
            ++count;
        }
    }
    return count;
}

int CString::Remove(char16_t ch) {
    size_t before = text_.size();
    std::erase(text_, ch);
    return static_cast<int>(before - text_.size());
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0) text_.erase(index, count);
    return GetLength();
}

int CString::Compare(const CString& other) const { return text_.compare(other.text_) < 0 ? -1 : text_ == other.text_ ? 0 : 1; }

int CString::CompareNoCase(const CString& other) const {
    size_t n = std::min(text_.size(), other.text_.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t a = AsciiLower(text_[i]), b = AsciiLower(other.text_[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return text_.size() == other.text_.size() ? 0 : text_.size() < other.text_.size() ? -1 : 1;
}

void CString::Format(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    text_ = FormatV(format, args);
    va_end(args);
}

CString CString::Formatted(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    CString out(FormatV(format, args));
    va_end(args);
    return out;
}

namespace {

int DigitValue(char16_t ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return 99;
}

/// The common part of the two scans: white space, sign, optional "0x" for base 16, digits. The
/// number wraps to 32 bits as the C library's scan does on the target.
bool ScanNumber(std::u16string_view text, int base, int& value) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    if (base == 16 && i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        i + 2 < text.size() && DigitValue(text[i + 2]) < 16)
        i += 2;
    uint32_t number = 0;
    size_t first = i;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) number = number * base + DigitValue(text[i]);
    if (i == first) return false;
    value = static_cast<int>(negative ? 0u - number : number);
    return true;
}

}  // namespace

bool ScanDecimal(std::u16string_view text, int& value) { return ScanNumber(text, 10, value); }
bool ScanHex(std::u16string_view text, int& value) { return ScanNumber(text, 16, value); }

bool ScanWholeDecimal(std::u16string_view text, int& value) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    int64_t number = 0;
    for (char16_t ch : text) {
        if (ch < u'0' || ch > u'9') return false;
        number = number * 10 + (ch - u'0');
        if (number > int64_t{INT32_MAX} + 1) return false;
    }
    if (negative) number = -number;
    if (number > INT32_MAX || number < INT32_MIN) return false;
    value = static_cast<int>(number);
    return true;
}
