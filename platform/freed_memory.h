// Memory the program has let go of, given back to the system.
#pragma once

/// Gives the system back the memory freed so far that the allocator still holds, wherever it lies
/// in the allocator's heap. Call it after letting go of much memory in small pieces (the structures
/// of a large source) and before taking much more: the process then does not hold both at once.
void ReturnFreedMemory();
