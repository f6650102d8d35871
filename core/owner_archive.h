// The byte-buffer archive in which the host keeps a device's stored configuration image.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "core/owner_object.h"
#include "platform/arrays.h"
#include "platform/cstring.h"

/// Format version written at the start of every image: 20001 (bytes 0x21 0x4E). Images whose first
/// 16 bits are below 20000 carry no version and are laid out like version 20000.
constexpr uint16_t kFormatVersion = 20001;
constexpr uint16_t kFirstVersionedFormat = 20000;

/// A growable byte buffer with a position and a direction. Writing while loading, or reading while
/// storing, switches the direction first, which starts a new image at offset 0. Shared with the
/// host: both sides build it from this code.
class COwnerArchive {
public:
    static constexpr int kStoring = 1;
    static constexpr int kLoading = 0;
    static constexpr int kGrowthStep = 16534;  ///< 0x4096: the buffer grows by this many bytes
    static constexpr int kRawBlockSize = 92;

    explicit COwnerArchive(int mode) : mode_(mode) {}
    virtual ~COwnerArchive() = default;

    /// Switches direction. A change of direction cuts the buffer to the position (when it is not 0)
    /// and goes back to offset 0; at offset 0 storing writes the format version and loading consumes
    /// it when the image has one.
    void SetMode(int mode);
    bool IsStoring() const { return mode_ == kStoring; }
    int GetMode() const { return mode_; }
    void Rewind() { position_ = 0; }
    int GetPosition() const { return position_; }
    int GetBufferSize() const { return buffer_.GetSize(); }
    /// The buffer as the archive knows it; after SaveRecord it may run past the image (see
    /// GetPosition).
    const CByteArray& GetBuffer() const { return buffer_; }
    CByteArray& GetBuffer() { return buffer_; }

    /// Appends n bytes at the position, growing the buffer by at least the growth step. Always true.
    /// Inline while the bytes fit: an image of a large table is written a cell at a time.
    bool Write(const void* data, int n) {
        if (mode_ != kStoring || n <= 0 || n > buffer_.GetSize() - position_) return WriteSlowly(data, n);
        std::memcpy(buffer_.GetData() + position_, data, static_cast<size_t>(n));
        position_ += n;
        return true;
    }
    /// Copies n bytes from the position; false, copying nothing, when fewer than n bytes remain.
    bool Read(void* data, int n);
    /// The 16-bit value at offset 0 (0 when the buffer holds fewer than 2 bytes); the position and
    /// the direction do not change.
    uint16_t PeekVersion() const;

    COwnerArchive& operator<<(uint8_t value) { Write(&value, 1); return *this; }
    COwnerArchive& operator<<(uint16_t value) { Write(&value, 2); return *this; }
    COwnerArchive& operator<<(int32_t value) { Write(&value, 4); return *this; }
    COwnerArchive& operator<<(uint32_t value) { Write(&value, 4); return *this; }
    COwnerArchive& operator<<(int64_t value) { Write(&value, 8); return *this; }
    COwnerArchive& operator<<(double value) { Write(&value, 8); return *this; }
    COwnerArchive& operator<<(bool value);
    COwnerArchive& operator<<(const CString& text) { return WriteText(text.view()); }
    /// Writes a text as operator<< does, from a view of it.
    COwnerArchive& WriteText(std::u16string_view text);
    /// Writes a text of characters below U+0100, given one byte each, as WriteText does.
    COwnerArchive& WriteOneByteText(std::string_view text);
    COwnerArchive& operator<<(const CByteArray& bytes);

    COwnerArchive& operator>>(uint8_t& value) { Read(&value, 1); return *this; }
    COwnerArchive& operator>>(uint16_t& value) { Read(&value, 2); return *this; }
    COwnerArchive& operator>>(int32_t& value) { Read(&value, 4); return *this; }
    COwnerArchive& operator>>(uint32_t& value) { Read(&value, 4); return *this; }
    COwnerArchive& operator>>(int64_t& value) { Read(&value, 8); return *this; }
    COwnerArchive& operator>>(double& value) { Read(&value, 8); return *this; }
    COwnerArchive& operator>>(bool& value);
    COwnerArchive& operator>>(CString& text);
    /// Reads a text as operator>> does into text, keeping its storage; false (text unchanged) when
    /// the image holds no characters for it.
    bool ReadText(std::u16string& text);
    /// Reads exactly as many bytes as the target already holds.
    COwnerArchive& operator>>(CByteArray& bytes);
    /// Copies a raw block of 92 bytes into target (load only).
    void LoadRawBlock(void* target) { Read(target, kRawBlockSize); }

    /// Switches to storing / loading with SetMode, then lets the object serialize itself.
    void Store(COwnerObject& object);
    void Load(COwnerObject& object);

    /// Bytes left between the position and the end of the buffer.
    int Remaining() const { return GetBufferSize() - position_; }

private:
    bool WriteSlowly(const void* data, int n);

    CByteArray buffer_;
    int32_t position_ = 0;
    int32_t mode_;
    /// The last text stored that needed a conversion, the code page, and its bytes: the rows of a
    /// table often repeat a comment, which is then converted once.
    std::u16string lastConverted_;
    unsigned lastCodePage_ = 0;
    std::string lastBytes_;
};
