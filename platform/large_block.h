// Memory of its own, mapped apart from the allocator's heap, on large pages where the system can.
#pragma once

#include <cstddef>

/// A block of memory mapped apart from the allocator's heap, backed by large pages where the
/// system can (2 MiB, aligned to them), and given back whole when the block goes. Memory the
/// allocator has given back in the middle of its heap is mapped again a small page at a time: a
/// large list made late in a run (an import's records) would stop at every 4 KiB, which on a
/// virtual machine costs more than the work. Its bytes start as zeros; pages never touched take
/// no memory.
class CLargeBlock {
public:
    /// Throws std::bad_alloc when the system has no room.
    explicit CLargeBlock(size_t bytes);
    ~CLargeBlock();
    CLargeBlock(CLargeBlock&& other) noexcept;
    CLargeBlock& operator=(CLargeBlock&&) = delete;
    CLargeBlock(const CLargeBlock&) = delete;
    CLargeBlock& operator=(const CLargeBlock&) = delete;

    char* data() const { return data_; }
    size_t size() const { return size_; }

private:
    void* mapping_ = nullptr;
    size_t mapped_ = 0;
    char* data_ = nullptr;
    size_t size_ = 0;
};
