#include "platform/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace {

/// A large page: the block starts on one, so that its first 2 MiB can be one page.
constexpr size_t kLargePage = size_t{2} << 20;

}  // namespace

CLargeBlock::CLargeBlock(size_t bytes) : size_(bytes) {
    if (bytes == 0) return;
    mapped_ = bytes + kLargePage;  // room to start on a large page
    mapping_ = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping_ == MAP_FAILED) {
        mapping_ = nullptr;
        throw std::bad_alloc();
    }
    const auto start = (reinterpret_cast<uintptr_t>(mapping_) + kLargePage - 1) & ~uintptr_t{kLargePage - 1};
    data_ = reinterpret_cast<char*>(start);
    // Only advice: without large pages the block works the same, a small page at a time.
    madvise(data_, bytes, MADV_HUGEPAGE);
}

CLargeBlock::~CLargeBlock() {
    if (mapping_) munmap(mapping_, mapped_);
}

CLargeBlock::CLargeBlock(CLargeBlock&& other) noexcept
    : mapping_(std::exchange(other.mapping_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}
