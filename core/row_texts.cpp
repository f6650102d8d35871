#include "core/row_texts.h"

#include <algorithm>
#include <cstring>

CRowTexts& CRowTexts::operator=(const CRowTexts& other) {
    if (this != &other) Assign(other.All());
    return *this;
}

uint32_t CRowTexts::LengthOf(int slot) const {
    uint32_t length;
    std::memcpy(&length, block_.get() + 2 * slot, sizeof length);
    return length;
}

std::u16string_view CRowTexts::Get(int slot) const {
    if (!block_) return {};
    size_t start = kHeaderUnits;
    for (int i = 0; i < slot; ++i) start += LengthOf(i);
    return {block_.get() + start, LengthOf(slot)};
}

CRowTexts::Texts CRowTexts::All() const {
    Texts texts{};
    if (!block_) return texts;
    size_t start = kHeaderUnits;
    for (int slot = 0; slot < kMaxRowTexts; ++slot) {
        texts[static_cast<size_t>(slot)] = {block_.get() + start, LengthOf(slot)};
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
        block_.reset();
        return;
    }
    auto block = std::make_unique_for_overwrite<char16_t[]>(kHeaderUnits + units);
    char16_t* at = block.get() + kHeaderUnits;
    for (size_t slot = 0; slot < texts.size(); ++slot) {
        const uint32_t length = static_cast<uint32_t>(texts[slot].size());
        std::memcpy(block.get() + 2 * slot, &length, sizeof length);
        at = std::copy(texts[slot].begin(), texts[slot].end(), at);
    }
    block_ = std::move(block);  // after the copy: the texts may be views of the old block
}
