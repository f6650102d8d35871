// The text cells of one channel row, kept together in a single allocation.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <string_view>

#include "core/row_limits.h"

/// A row's text cells by slot: their lengths, then their characters one after the other, in one
/// block. A table of half a million rows then holds one block per row for all its texts instead
/// of one allocation per text, and copying or freeing a row touches one block. The blocks are taken
/// from pieces of room shared by many rows (TextBlockRoom). Empty texts take no block at all.
/// Setting a text makes the block anew, so that views of the old one handed to the setter stay
/// valid while it is made.
class CRowTexts {
public:
    using Texts = std::array<std::u16string_view, kMaxRowTexts>;

    CRowTexts() = default;
    CRowTexts(const CRowTexts& other) { Assign(other.All()); }
    CRowTexts(CRowTexts&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    CRowTexts& operator=(const CRowTexts& other);
    CRowTexts& operator=(CRowTexts&& other) noexcept;
    ~CRowTexts() { GiveBack(block_); }

    /// The text in slot (0 to kMaxRowTexts - 1).
    std::u16string_view Get(int slot) const;
    Texts All() const;
    void Set(int slot, std::u16string_view text);
    /// Every slot at once, in one new block.
    void Assign(const Texts& texts);

private:
    /// The block: kMaxRowTexts lengths of two code units each, then the characters.
    static constexpr size_t kHeaderUnits = 2 * kMaxRowTexts;
    uint32_t LengthOf(int slot) const { return LengthIn(block_, slot); }
    /// The length of a slot's text as a block's header gives it.
    static uint32_t LengthIn(const char16_t* block, int slot);
    /// Gives a block back to the room it was taken from.
    static void GiveBack(char16_t* block) noexcept;

    char16_t* block_ = nullptr;
};
