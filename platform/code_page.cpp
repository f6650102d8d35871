#include "platform/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <map>
#include <string>

namespace {

unsigned g_ansiCodePage = 936;

std::string IconvName(unsigned codePage) {
    if (codePage == CP_UTF8) return "UTF-8";
    return "CP" + std::to_string(codePage == CP_ACP ? g_ansiCodePage : codePage);
}

/// Conversion descriptors stay open for the life of the thread: one per code page and direction,
/// found by number, as a conversion is asked for every non-ASCII text of a large image.
class Converters {
public:
    ~Converters() {
        for (auto& [key, cd] : open_) iconv_close(cd);
    }
    iconv_t Get(unsigned codePage, bool toWide) {
        const unsigned resolved = codePage == CP_ACP ? g_ansiCodePage : codePage;
        const auto key = std::make_pair(resolved, toWide);
        auto it = open_.find(key);
        if (it != open_.end()) return it->second;
        const std::string name = IconvName(resolved);
        iconv_t cd = toWide ? iconv_open("UTF-16LE", name.c_str()) : iconv_open(name.c_str(), "UTF-16LE");
        if (cd != reinterpret_cast<iconv_t>(-1)) open_.emplace(key, cd);
        return cd;
    }

private:
    std::map<std::pair<unsigned, bool>, iconv_t> open_;
};

thread_local Converters t_converters;

bool IsHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

/// The UTF-8 length of a text without surrogates, or npos when it holds one.
size_t Utf8LengthWithoutSurrogates(std::u16string_view text) {
    size_t length = 0;
    for (char16_t ch : text) {
        if (IsHighSurrogate(ch) || IsLowSurrogate(ch)) return std::string_view::npos;
        length += ch < 0x80 ? 1 : ch < 0x800 ? 2 : 3;
    }
    return length;
}

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

/// The length of the well-formed UTF-8 sequence of a non-ASCII lead byte at the start of bytes
/// (2 to 4), or 0 when none starts there: overlong forms, surrogates, values above U+10FFFF, stray
/// continuation bytes and cut-off sequences are not well formed.
size_t WellFormedLength(const unsigned char* bytes, size_t available) {
    const unsigned char lead = bytes[0];
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0 || available < length || bytes[1] < low || bytes[1] > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (!IsContinuation(bytes[i])) return 0;
    return length;
}

/// UTF-8 to UTF-16 without a conversion descriptor, as the system's converter decodes it: a
/// well-formed sequence gives its character (a surrogate pair above U+FFFF), every other byte one
/// replacement character, and decoding goes on at the next byte. Every input file is decoded so.
/// The characters are appended to out.
void DecodeUtf8(std::u16string& out, std::string_view text) {
    // Never more characters than bytes. Grown by half at least, so that a buffer appended to
    // piece by piece is not copied at each piece.
    const size_t needed = out.size() + text.size();
    if (needed > out.capacity()) out.reserve(std::max(needed, out.capacity() + out.capacity() / 2));
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    size_t i = 0;
    while (i < size) {
        if (bytes[i] < 0x80) {
            out += static_cast<char16_t>(bytes[i++]);
            continue;
        }
        const size_t length = WellFormedLength(bytes + i, size - i);
        if (length == 0) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        uint32_t code = bytes[i] & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) code = code << 6 | (bytes[i + k] & 0x3F);
        i += length;
        if (code < 0x10000) {
            out += static_cast<char16_t>(code);
        } else {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        }
    }
}

}  // namespace

unsigned GetACP() { return g_ansiCodePage; }

bool SetAnsiCodePage(unsigned codePage) {
    if (codePage == CP_ACP) return false;
    iconv_t probe = iconv_open("UTF-16LE", IconvName(codePage).c_str());
    if (probe == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(probe);
    g_ansiCodePage = codePage;
    return true;
}

std::string WideCharToMultiByte(unsigned codePage, std::u16string_view text, std::u16string* lost) {
    if (IsAscii(text)) return std::string(text.begin(), text.end());  // every code page we use is ASCII-compatible
    iconv_t cd = t_converters.Get(codePage, false);
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (char16_t ch : text) {
            out += ch < 0x80 ? static_cast<char>(ch) : '?';
            if (ch >= 0x80 && lost) *lost += ch;
        }
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    size_t inLeft = text.size() * 2;
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // A character the code page lacks (or a broken surrogate): write "?" in its place. A pair
        // stands for one character; a lone surrogate for itself, so the character after it stays.
        const char16_t* at = reinterpret_cast<const char16_t*>(in);
        size_t units = (inLeft >= 4 && IsHighSurrogate(at[0]) && IsLowSurrogate(at[1])) ? 2 : 1;
        size_t skip = std::min(inLeft, units * 2);
        if (lost) lost->append(at, skip / 2);
        in += skip;
        inLeft -= skip;
        out += '?';
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    return out;
}

std::u16string MultiByteToWideChar(unsigned codePage, std::string_view bytes) {
    if (codePage == CP_UTF8) return Utf8ToUtf16(bytes);
    if (IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
    iconv_t cd = t_converters.Get(codePage, true);
    std::u16string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (char ch : bytes) out += static_cast<unsigned char>(ch) < 0x80 ? static_cast<char16_t>(ch) : u'\uFFFD';
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char16_t buffer[2048];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (outPtr - reinterpret_cast<char*>(buffer)) / 2);
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // An invalid or incomplete sequence: one replacement character for its first byte.
        ++in;
        --inLeft;
        out += u'\uFFFD';
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

// Most lines of a source are ASCII: they are widened as they are, without the decoder's tests.
void AppendUtf16(std::u16string& out, std::string_view utf8) {
    if (!IsAscii(utf8)) {
        DecodeUtf8(out, utf8);
        return;
    }
    const size_t at = out.size();
    out.resize(at + utf8.size());
    std::transform(utf8.begin(), utf8.end(), out.begin() + static_cast<std::ptrdiff_t>(at), [](char ch) { return static_cast<char16_t>(ch); });
}

std::u16string CharactersLostInCodePage(std::u16string_view text) {
    std::u16string lost;
    if (!IsAscii(text)) WideCharToMultiByte(CP_ACP, text, &lost);
    return lost;
}

// Encoded in place: the keys of a plant's half a million rows are made through here, and a
// converter (or a temporary string) for each would cost more than the encoding. Texts with
// surrogates, rare, take the converter, which decides what a lone one becomes.
void AppendUtf8(std::string& out, std::u16string_view text) {
    if (IsAscii(text)) {
        const size_t at = out.size();
        out.resize(at + text.size());
        std::transform(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(at), [](char16_t ch) { return static_cast<char>(ch); });
        return;
    }
    const size_t length = Utf8LengthWithoutSurrogates(text);
    if (length == std::string_view::npos) {
        out += WideCharToMultiByte(CP_UTF8, text);
        return;
    }
    size_t at = out.size();
    out.resize(at + length);
    for (char16_t ch : text) {
        if (ch < 0x80) {
            out[at++] = static_cast<char>(ch);
        } else if (ch < 0x800) {
            out[at++] = static_cast<char>(0xC0 | (ch >> 6));
            out[at++] = static_cast<char>(0x80 | (ch & 0x3F));
        } else {
            out[at++] = static_cast<char>(0xE0 | (ch >> 12));
            out[at++] = static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            out[at++] = static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
}

// Every character is looked at, without stopping at the first that is not ASCII: the loop is then
// one the compiler does many characters at a time (most texts are ASCII, and short).
bool IsAscii(std::u16string_view text) {
    char16_t all = 0;
    for (char16_t ch : text) all |= ch;
    return all < 0x80;
}

bool IsAscii(std::string_view bytes) {
    unsigned char all = 0;
    for (char ch : bytes) all |= static_cast<unsigned char>(ch);
    return all < 0x80;
}
