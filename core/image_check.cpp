#include "core/image_check.h"

#include <cstring>

#include "core/column_registry.h"
#include "core/owner_archive.h"

namespace {

/// Reads an image front to back, checking each field against the bytes that remain.
class ImageWalk {
public:
    ImageWalk(const uint8_t* bytes, size_t size, size_t start) : bytes_(bytes), size_(size), at_(start) {}

    const std::string& Damage() const { return damage_; }
    bool Damaged() const { return !damage_.empty(); }

    /// A 32-bit value; its offset is kept for the message. False once anything was found damaged.
    bool Int(int32_t& value, const char* what) {
        if (Damaged()) return false;
        fieldAt_ = at_;
        if (size_ - at_ < 4) return Fail(std::string("the image ends before the ") + what);
        std::memcpy(&value, bytes_ + at_, 4);
        at_ += 4;
        return true;
    }

    /// A count of items of itemBytes bytes each that must follow it.
    bool Count(int32_t& count, const char* what, size_t itemBytes) {
        if (!Int(count, what)) return false;
        if (count < 0) return Fail(std::string("negative ") + what + " " + std::to_string(count));
        if (static_cast<uint64_t>(count) * itemBytes > size_ - at_)
            return Fail(std::string("the ") + what + " " + std::to_string(count) + " needs at least " +
                        std::to_string(static_cast<uint64_t>(count) * itemBytes) + " bytes; " +
                        std::to_string(size_ - at_) + " remain");
        return true;
    }

    /// Moves past n bytes, which a count before them was checked to hold.
    void Skip(size_t n) { at_ += n; }

private:
    bool Fail(std::string what) {
        damage_ = what + " (at byte " + std::to_string(fieldAt_) + ")";
        return false;
    }

    const uint8_t* bytes_;
    size_t size_;
    size_t at_;
    size_t fieldAt_ = 0;
    std::string damage_;
};

bool WalkRow(ImageWalk& walk, int cells) {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    for (int cell = 0; cell < cells; ++cell) {
        int32_t value = 0;
        if (registry.Column(cell).kind != kTextColumn) {
            if (!walk.Int(value, "cell of a channel row")) return false;
            continue;
        }
        if (!walk.Count(value, "text length of a channel row", 1)) return false;
        walk.Skip(static_cast<size_t>(value));
    }
    return true;
}

}  // namespace

std::string FindImageDamage(const uint8_t* bytes, size_t size, size_t start, uint16_t version) {
    if (version > kFormatVersion) return {};
    if (start > size) return "the image ends before its record (at byte " + std::to_string(size) + ")";
    ImageWalk walk(bytes, size, start);
    int32_t properties = 0, flags = 0, rows = 0;
    if (walk.Count(properties, "property count", 4)) walk.Skip(4 * static_cast<size_t>(properties));
    walk.Int(flags, "option flags");
    const int registryCells = CColumnRegistry::Instance().GetCount();
    const int cells = version < kFormatVersion ? registryCells - 2 : registryCells;
    // A row holds at least four bytes a cell: its numbers, and the counts of its texts.
    if (walk.Count(rows, "row count", 4 * static_cast<size_t>(cells))) {
        for (int32_t row = 0; row < rows && WalkRow(walk, cells); ++row) {
        }
    }
    return walk.Damage();
}
