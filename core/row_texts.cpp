#include "core/row_texts.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/text_block_room.h"

namespace {

/// Whether every character is below U+0100, so that one byte holds it.
bool FitsOneByteEach(std::u16string_view text) {
    char16_t all = 0;
    for (char16_t ch : text) all |= ch;
    return all < 0x100;
}

}  // namespace

CRowTexts& CRowTexts::operator=(const CRowTexts& other) {
    if (this != &other) GiveBack(std::exchange(block_, Copy(other.block_)));
    return *this;
}

CRowTexts& CRowTexts::operator=(CRowTexts&& other) noexcept {
    if (this != &other) GiveBack(std::exchange(block_, std::exchange(other.block_, nullptr)));
    return *this;
}

uint32_t CRowTexts::LengthIn(const char16_t* block, int slot) {
    uint32_t length;
    std::memcpy(&length, block + 2 * slot, sizeof length);
    return length & ~kOneByteEach;
}

size_t CRowTexts::StartOf(int slot) const {
    size_t start = 0;
    for (int i = 0; i < slot; ++i) start += LengthOf(i);
    return start;
}

bool CRowTexts::OneByteEach(const char16_t* block) {
    uint32_t first;
    std::memcpy(&first, block, sizeof first);
    return (first & kOneByteEach) != 0;
}

size_t CRowTexts::UnitsOf(const char16_t* block) {
    size_t characters = 0;
    for (int slot = 0; slot < kMaxRowTexts; ++slot) characters += LengthIn(block, slot);
    return kHeaderUnits + (OneByteEach(block) ? (characters + 1) / 2 : characters);
}

char16_t* CRowTexts::Copy(const char16_t* block) {
    if (!block) return nullptr;
    const size_t units = UnitsOf(block);
    char16_t* copy = TextBlockRoom::Take(units);
    std::memcpy(copy, block, units * sizeof(char16_t));
    return copy;
}

void CRowTexts::GiveBack(char16_t* block) noexcept {
    if (block) TextBlockRoom::Give(block, UnitsOf(block));
}

std::u16string_view CRowTexts::Get(int slot, std::u16string& buffer) const {
    if (!block_) return {};
    const size_t start = StartOf(slot);
    const uint32_t length = LengthOf(slot);
    if (!OneByteEach(block_)) return {block_ + kHeaderUnits + start, length};
    const auto* bytes = reinterpret_cast<const unsigned char*>(block_ + kHeaderUnits) + start;
    // Widened in place: assigning from the bytes' iterators would make a temporary text first.
    buffer.resize(length);
    std::transform(bytes, bytes + length, buffer.begin(), [](unsigned char ch) { return static_cast<char16_t>(ch); });
    return buffer;
}

bool CRowTexts::GetOneByteEach(int slot, std::string_view& bytes) const {
    bytes = {};
    if (!block_) return true;
    if (!OneByteEach(block_)) return false;
    bytes = {reinterpret_cast<const char*>(block_ + kHeaderUnits) + StartOf(slot), LengthOf(slot)};
    return true;
}

CRowTexts::Texts CRowTexts::All(Buffers& buffers) const {
    Texts texts{};
    if (block_)
        for (int slot = 0; slot < kMaxRowTexts; ++slot) texts[static_cast<size_t>(slot)] = Get(slot, buffers[static_cast<size_t>(slot)]);
    return texts;
}

void CRowTexts::Set(int slot, std::u16string_view text) {
    Buffers buffers;
    Texts texts = All(buffers);
    texts[static_cast<size_t>(slot)] = text;
    Assign(texts);
}

void CRowTexts::Assign(const Texts& texts) {
    size_t characters = 0;
    bool oneByteEach = true;
    for (std::u16string_view text : texts) {
        if (text.size() >= kOneByteEach) throw std::length_error("a channel text this long cannot be held");
        characters += text.size();
        oneByteEach = oneByteEach && FitsOneByteEach(text);
    }
    if (characters == 0) {
        GiveBack(std::exchange(block_, nullptr));
        return;
    }
    char16_t* block = TextBlockRoom::Take(kHeaderUnits + (oneByteEach ? (characters + 1) / 2 : characters));
    for (size_t slot = 0; slot < texts.size(); ++slot) {
        const uint32_t length = static_cast<uint32_t>(texts[slot].size()) | (slot == 0 && oneByteEach ? kOneByteEach : 0);
        std::memcpy(block + 2 * slot, &length, sizeof length);
    }
    if (oneByteEach) {
        auto* at = reinterpret_cast<unsigned char*>(block + kHeaderUnits);
        for (std::u16string_view text : texts)
            at = std::transform(text.begin(), text.end(), at, [](char16_t ch) { return static_cast<unsigned char>(ch); });
    } else {
        char16_t* at = block + kHeaderUnits;
        for (std::u16string_view text : texts) at = std::copy(text.begin(), text.end(), at);
    }
    GiveBack(std::exchange(block_, block));  // after the copy: the texts may be views of the old block
}
