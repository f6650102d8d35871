// Memory the program has let go of, given back to the system.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

/// Gives the system back the memory freed so far that the allocator still holds, wherever it lies
/// in the allocator's heap. Call it after letting go of much memory in small pieces (the structures
/// of a large source) and before taking much more: the process then does not hold both at once.
void ReturnFreedMemory();

/// Gives the system back the pages that lie wholly within the bytes from begin on, which hold
/// nothing any more (the room past the end of a list whose last items were let go of): they stop
/// taking memory until touched again, and then read as zeros.
void ReturnUnusedPages(void* begin, size_t bytes);

/// The size of a page of memory, in bytes.
size_t MemoryPageBytes();

/// Destroys a list's items from keep on and gives back the pages of the room they took: the list
/// keeps its room, but a large list shortened this way no longer holds memory past its end. The
/// room past the list's end must hold no pages of its own (never written, or given back before):
/// only the pages of the items let go of now are given back, and the page their end shares with
/// that room, so that a list let go of from its end a round at a time gives back each page once.
template <typename T>
void LetGoOfItemsFrom(std::vector<T>& list, size_t keep) {
    const size_t end = list.size();
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(keep), list.end());
    const size_t room = (list.capacity() - keep) * sizeof(T);
    ReturnUnusedPages(list.data() + keep, std::min(room, (end - keep) * sizeof(T) + MemoryPageBytes()));
}
