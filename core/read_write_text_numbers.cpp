#include "core/read_write_text_numbers.h"

#include <array>
#include <atomic>
#include <mutex>
#include <string>

namespace {

/// The texts by number - 1. A text is written before the count that shows it, and never changes
/// after, so readers need no lock; a new text is added under the lock.
struct SKeptTexts {
    std::array<std::u16string, kMaxReadWriteTextNumber> texts;
    std::atomic<size_t> count{0};
    std::mutex adding;
};

SKeptTexts& Kept() {
    static SKeptTexts kept;
    return kept;
}

/// The number of text among the first count texts, or 0.
uint8_t FindAmong(const SKeptTexts& kept, size_t count, std::u16string_view text) {
    for (size_t i = 0; i < count; ++i)
        if (kept.texts[i] == text) return static_cast<uint8_t>(i + 1);
    return 0;
}

}  // namespace

uint8_t ReadWriteTextNumber(std::u16string_view text) {
    SKeptTexts& kept = Kept();
    if (const uint8_t found = FindAmong(kept, kept.count.load(std::memory_order_acquire), text)) return found;
    std::lock_guard<std::mutex> lock(kept.adding);
    const size_t count = kept.count.load(std::memory_order_relaxed);
    if (const uint8_t found = FindAmong(kept, count, text)) return found;  // added meanwhile
    if (count == kept.texts.size()) return 0;
    kept.texts[count] = text;
    kept.count.store(count + 1, std::memory_order_release);
    return static_cast<uint8_t>(count + 1);
}

std::u16string_view ReadWriteTextOfNumber(uint8_t number) {
    SKeptTexts& kept = Kept();
    if (number == 0 || number > kept.count.load(std::memory_order_acquire)) return {};
    return kept.texts[number - 1u];
}
