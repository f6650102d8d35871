#include "types/shared_text.h"

#include <algorithm>
#include <new>
#include <stdexcept>

CSharedText::CSharedText(std::u16string_view text) {
    if (text.empty()) return;
    if (text.size() > UINT32_MAX / sizeof(char16_t) - sizeof(SHeld)) throw std::length_error("a comment this long cannot be held");
    void* room = ::operator new(sizeof(SHeld) + text.size() * sizeof(char16_t));
    held_ = new (room) SHeld{{1}, static_cast<uint32_t>(text.size())};
    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(held_ + 1));
}

CSharedText::CSharedText(const CSharedText& other) noexcept : held_(other.held_) {
    // Nothing is read through the count: a copy only has to be counted before the original can
    // be let go of, which the caller's holding of the original already orders.
    if (held_) held_->copies.fetch_add(1, std::memory_order_relaxed);
}

CSharedText& CSharedText::operator=(const CSharedText& other) noexcept {
    if (held_ != other.held_) {
        if (other.held_) other.held_->copies.fetch_add(1, std::memory_order_relaxed);
        LetGo();
        held_ = other.held_;
    }
    return *this;
}

CSharedText& CSharedText::operator=(CSharedText&& other) noexcept {
    if (this != &other) {
        LetGo();
        held_ = other.held_;
        other.held_ = nullptr;
    }
    return *this;
}

std::u16string_view CSharedText::view() const {
    if (!held_) return {};
    return {reinterpret_cast<const char16_t*>(held_ + 1), held_->length};
}

void CSharedText::LetGo() noexcept {
    // The last copy frees the characters after every other copy's reads, on whichever thread.
    if (held_ && held_->copies.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        held_->~SHeld();
        ::operator delete(held_);
    }
    held_ = nullptr;
}
