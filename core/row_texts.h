// The text cells of one channel row, kept together in a single allocation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "core/row_limits.h"

/// A row's text cells by slot: their lengths, then their characters one after the other, in one
/// block. A table of half a million rows then holds one block per row for all its texts instead
/// of one allocation per text, and copying or freeing a row touches one block. A row whose
/// characters are all below U+0100 (variable names, addresses and most comments) keeps one byte
/// for each; its texts are read through a buffer of the caller's. The blocks are taken from
/// pieces of room shared by many rows (TextBlockRoom). Empty texts take no block at all. Setting a
/// text makes the block anew, so that views of the old one handed to the setter stay valid while
/// it is made.
class CRowTexts {
public:
    using Texts = std::array<std::u16string_view, kMaxRowTexts>;
    /// Where the texts of a block of one byte per character are read into.
    using Buffers = std::array<std::u16string, kMaxRowTexts>;

    CRowTexts() = default;
    CRowTexts(const CRowTexts& other) : block_(Copy(other.block_)) {}
    CRowTexts(CRowTexts&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    CRowTexts& operator=(const CRowTexts& other);
    CRowTexts& operator=(CRowTexts&& other) noexcept;
    ~CRowTexts() { GiveBack(block_); }

    /// The text in slot (0 to kMaxRowTexts - 1): a view of the block, or of buffer.
    std::u16string_view Get(int slot, std::u16string& buffer) const;
    /// The text in slot as its bytes when the block keeps one byte per character (or holds no
    /// text); false when it keeps two.
    bool GetOneByteEach(int slot, std::string_view& bytes) const;
    /// Every slot: views of the block, or of buffers.
    Texts All(Buffers& buffers) const;
    void Set(int slot, std::u16string_view text);
    /// Every slot at once, in one new block.
    void Assign(const Texts& texts);

private:
    /// The block: kMaxRowTexts lengths of two code units each, then the characters. The first
    /// length's top bit says that the characters take one byte each.
    static constexpr size_t kHeaderUnits = 2 * kMaxRowTexts;
    static constexpr uint32_t kOneByteEach = 0x80000000u;
    uint32_t LengthOf(int slot) const { return LengthIn(block_, slot); }
    /// Where a slot's characters begin, counted in characters after the header.
    size_t StartOf(int slot) const;
    /// The length of a slot's text as a block's header gives it.
    static uint32_t LengthIn(const char16_t* block, int slot);
    static bool OneByteEach(const char16_t* block);
    /// The code units a block takes, its header included.
    static size_t UnitsOf(const char16_t* block);
    static char16_t* Copy(const char16_t* block);
    /// Gives a block back to the room it was taken from.
    static void GiveBack(char16_t* block) noexcept;

    char16_t* block_ = nullptr;
};
