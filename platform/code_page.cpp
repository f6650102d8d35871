#include "platform/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
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

bool IsAscii(std::u16string_view text) {
    for (char16_t ch : text) if (ch >= 0x80) return false;
    return true;
}

bool IsAscii(std::string_view bytes) {
    for (char ch : bytes) if (static_cast<unsigned char>(ch) >= 0x80) return false;
    return true;
}

bool IsHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

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

std::string WideCharToMultiByte(unsigned codePage, std::u16string_view text) {
    if (IsAscii(text)) return std::string(text.begin(), text.end());  // every code page we use is ASCII-compatible
    iconv_t cd = t_converters.Get(codePage, false);
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (char16_t ch : text) out += ch < 0x80 ? static_cast<char>(ch) : '?';
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
