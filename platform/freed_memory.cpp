#include "platform/freed_memory.h"

#include <malloc.h>

void ReturnFreedMemory() {
    // Without it the allocator keeps freed pages that lie below memory still in use, and a large
    // list taken next comes from fresh pages.
    malloc_trim(0);
}
