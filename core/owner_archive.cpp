#include "core/owner_archive.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/code_page.h"

void COwnerArchive::SetMode(int mode) {
    if (mode != mode_) {
        mode_ = mode;
        if (position_ != 0) buffer_.SetSize(position_);  // a finished image has exactly its length
        position_ = 0;
    }
    if (mode_ == kStoring && position_ == 0) {
        *this << kFormatVersion;
    } else if (mode_ == kLoading && position_ == 0) {
        uint16_t version = 0;
        *this >> version;
        if (version < kFirstVersionedFormat) position_ = 0;  // no version: the data starts at once
    }
}

bool COwnerArchive::WriteSlowly(const void* data, int n) {
    if (mode_ == kLoading) SetMode(kStoring);
    if (n <= 0) return true;
    const int64_t end = int64_t{position_} + n;
    if (end > buffer_.GetSize()) {
        int64_t grown = std::max<int64_t>(int64_t{buffer_.GetSize()} + kGrowthStep, end);
        // Room reserved for a large image is used to its end: a step past it would make the
        // buffer reallocate at twice its size and hold the old bytes and the new at once.
        const auto room = static_cast<int64_t>(buffer_.Items().capacity());
        if (end <= room) grown = std::min(grown, room);
        if (grown > INT32_MAX) throw CInvalidArgException("archive larger than 2 GiB");
        buffer_.SetSize(static_cast<int>(grown));
    }
    std::memcpy(buffer_.GetData() + position_, data, static_cast<size_t>(n));
    position_ = static_cast<int32_t>(end);
    return true;
}

bool COwnerArchive::Read(void* data, int n) {
    if (mode_ == kStoring) SetMode(kLoading);
    if (n < 0 || int64_t{position_} + n > buffer_.GetSize()) return false;
    if (n > 0) std::memcpy(data, buffer_.GetData() + position_, static_cast<size_t>(n));
    position_ += n;
    return true;
}

uint16_t COwnerArchive::PeekVersion() const {
    uint16_t version = 0;
    if (buffer_.GetSize() >= 2) std::memcpy(&version, buffer_.GetData(), 2);
    return version;
}

namespace {

/// Texts up to this many characters are narrowed without a conversion when they are ASCII.
constexpr size_t kShortText = 256;

}  // namespace

COwnerArchive& COwnerArchive::operator<<(bool value) { return *this << static_cast<uint8_t>(value == 1 ? 1 : 0); }

COwnerArchive& COwnerArchive::operator>>(bool& value) {
    uint8_t byte = value ? 1 : 0;
    if (Read(&byte, 1)) value = byte == 1;
    return *this;
}

// A text is its byte count and its bytes in the ANSI code page, without terminator. Characters the
// code page lacks are stored as "?", so a text never drops out of the image.
COwnerArchive& COwnerArchive::WriteText(std::u16string_view view) {
    // Most texts are short and ASCII, which every ANSI code page keeps as it is: those are narrowed
    // on the stack, without a conversion (an image holds three texts for every channel).
    char narrow[kShortText];
    if (view.size() <= kShortText && IsAscii(view)) {
        std::transform(view.begin(), view.end(), narrow, [](char16_t ch) { return static_cast<char>(ch); });
        *this << static_cast<int32_t>(view.size());
        Write(narrow, static_cast<int>(view.size()));
        return *this;
    }
    if (view != lastConverted_ || GetACP() != lastCodePage_) {
        lastBytes_ = WideCharToMultiByte(CP_ACP, view);
        lastConverted_ = view;
        lastCodePage_ = GetACP();
    }
    *this << static_cast<int32_t>(lastBytes_.size());
    Write(lastBytes_.data(), static_cast<int>(lastBytes_.size()));
    return *this;
}

COwnerArchive& COwnerArchive::WriteOneByteText(std::string_view text) {
    // ASCII is what every ANSI code page keeps as it is: most channel texts are written straight
    // from the bytes they are kept in.
    if (IsAscii(text)) {
        *this << static_cast<int32_t>(text.size());
        Write(text.data(), static_cast<int>(text.size()));
        return *this;
    }
    std::u16string wide(text.size(), u'\0');
    std::transform(text.begin(), text.end(), wide.begin(), [](char ch) { return static_cast<char16_t>(static_cast<unsigned char>(ch)); });
    return WriteText(wide);
}

COwnerArchive& COwnerArchive::operator>>(CString& text) {
    std::u16string read;
    if (ReadText(read)) text = CString(std::move(read));
    return *this;
}

bool COwnerArchive::ReadText(std::u16string& text) {
    int32_t count = 0;
    *this >> count;
    if (count <= 0 || count > Remaining()) {
        Read(nullptr, count);  // a count the image cannot hold reads nothing, as any read past the end
        return false;
    }
    // The text ends at the first zero byte. An ASCII text is widened straight from the buffer.
    const char* const stored = reinterpret_cast<const char*>(buffer_.GetData() + position_);
    const std::string_view bytesBeforeZero(stored, strnlen(stored, static_cast<size_t>(count)));
    if (IsAscii(bytesBeforeZero)) {
        position_ += count;
        if (bytesBeforeZero.empty()) return false;
        // Widened in place: assigning from the bytes' iterators would make a temporary text first.
        text.resize(bytesBeforeZero.size());
        std::transform(bytesBeforeZero.begin(), bytesBeforeZero.end(), text.begin(), [](char ch) { return static_cast<char16_t>(ch); });
        return true;
    }
    std::string bytes(static_cast<size_t>(count), '\0');
    Read(bytes.data(), count);
    bytes.resize(std::strlen(bytes.c_str()));  // the text ends at the first zero byte
    std::u16string converted = MultiByteToWideChar(CP_ACP, bytes);
    if (converted.empty()) return false;
    text = std::move(converted);
    return true;
}

COwnerArchive& COwnerArchive::operator<<(const CByteArray& bytes) {
    Write(bytes.GetData(), bytes.GetSize());
    return *this;
}

COwnerArchive& COwnerArchive::operator>>(CByteArray& bytes) {
    Read(bytes.GetData(), bytes.GetSize());
    return *this;
}

void COwnerArchive::Store(COwnerObject& object) {
    SetMode(kStoring);
    object.Serialize(*this);
}

void COwnerArchive::Load(COwnerObject& object) {
    SetMode(kLoading);
    object.Serialize(*this);
}
