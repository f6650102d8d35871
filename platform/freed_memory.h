// Memory the program has let go of, given back to the system.
#pragma once

#include <cstddef>

/// Gives the system back the memory freed so far that the allocator still holds, wherever it lies
/// in the allocator's heap. Call it after letting go of much memory in small pieces (the structures
/// of a large source) and before taking much more: the process then does not hold both at once.
void ReturnFreedMemory();

/// Gives the system back the pages that lie wholly within the bytes from begin on, which hold
/// nothing any more (the room past the end of a list whose last items were let go of): they stop
/// taking memory until touched again, and then read as zeros.
void ReturnUnusedPages(void* begin, size_t bytes);
