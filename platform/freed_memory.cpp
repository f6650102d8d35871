#include "platform/freed_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

void ReturnFreedMemory() {
    // Without it the allocator keeps freed pages that lie below memory still in use, and a large
    // list taken next comes from fresh pages.
    malloc_trim(0);
}

size_t MemoryPageBytes() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

void ReturnUnusedPages(void* begin, size_t bytes) {
    const auto page = static_cast<uintptr_t>(MemoryPageBytes());
    const uintptr_t start = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes) / page * page;
    // Only whole pages inside the range: the allocator's own bytes around it stay as they are.
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
}
