#include "core/row_texts.h"

#include <algorithm>
#include <cstring>

#include "core/text_block_room.h"

CRowTexts& CRowTexts::operator=(const CRowTexts& other) {
    if (this != &other) Assign(other.All());
    return *this;
}

CRowTexts& CRowTexts::operator=(CRowTexts&& other) noexcept {
    if (this != &other) GiveBack(std::exchange(block_, std::exchange(other.block_, nullptr)));
    return *this;
}

void CRowTexts::GiveBack(char16_t* block) noexcept {
    if (!block) return;
    size_t units = kHeaderUnits;
    for (int slot = 0; slot < kMaxRowTexts; ++slot) units += LengthIn(block, slot);
    TextBlockRoom::Give(block, units);
}

uint32_t CRowTexts::LengthIn(const char16_t* block, int slot) {
    uint32_t length;
    std::memcpy(&length, block + 2 * slot, sizeof length);
    return length;
}

std::u16string_view CRowTexts::Get(int slot) const {
    if (!block_) return {};
    size_t start = kHeaderUnits;
    for (int i = 0; i < slot; ++i) start += LengthOf(i);
    return {block_ + start, LengthOf(slot)};
}

CRowTexts::Texts CRowTexts::All() const {
    Texts texts{};
    if (!block_) return texts;
    size_t start = kHeaderUnits;
    for (int slot = 0; slot < kMaxRowTexts; ++slot) {
        texts[static_cast<size_t>(slot)] = {block_ + start, LengthOf(slot)};
        start += texts[static_cast<size_t>(slot)].size();
    }
    return texts;
}

void CRowTexts::Set(int slot, std::u16string_view text) {
    Texts texts = All();
    texts[static_cast<size_t>(slot)] = text;
    Assign(texts);
}

void CRowTexts::Assign(const Texts& texts) {
    size_t units = 0;
    for (std::u16string_view text : texts) units += text.size();
    if (units == 0) {
        GiveBack(std::exchange(block_, nullptr));
        return;
    }
    char16_t* block = TextBlockRoom::Take(kHeaderUnits + units);
    char16_t* at = block + kHeaderUnits;
    for (size_t slot = 0; slot < texts.size(); ++slot) {
        const uint32_t length = static_cast<uint32_t>(texts[slot].size());
        std::memcpy(block + 2 * slot, &length, sizeof length);
        at = std::copy(texts[slot].begin(), texts[slot].end(), at);
    }
    GiveBack(std::exchange(block_, block));  // after the copy: the texts may be views of the old block
}
