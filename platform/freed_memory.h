// Memory the program has let go of, given back to the system.
#pragma once

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

/// Destroys a list's items from keep on and gives back the pages of the room they took: the list
/// keeps its room, but a large list shortened this way no longer holds memory past its end.
template <typename T>
void LetGoOfItemsFrom(std::vector<T>& list, size_t keep) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(keep), list.end());
    ReturnUnusedPages(list.data() + keep, (list.capacity() - keep) * sizeof(T));
}
