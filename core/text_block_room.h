// Room for the text blocks of channel rows, taken a piece at a time.
#pragma once

#include <cstddef>

/// A table of half a million rows holds one text block for each row. Taken from the allocator one
/// by one, each block carries the allocator's own overhead, and the blocks of an import's rows,
/// made while the leaves they come from are let go of, land in the holes the leaves leave: the
/// pages of both stay taken. Here each thread takes its blocks one after the other from pieces of
/// 64 KiB of its own; a block is given back on its own, and a piece goes back to the allocator when
/// its last block does (and its thread has moved on to another piece). Blocks of one table, made
/// together, lie together and go together. Safe to use from several threads at once; a block may
/// be given back by any thread.
namespace TextBlockRoom {

/// Room for units UTF-16 code units, 8-byte aligned.
char16_t* Take(size_t units);
/// Gives back a block Take gave, with the same units.
void Give(char16_t* block, size_t units) noexcept;

/// The bytes of one piece; blocks larger than a quarter of it get a piece of their own.
inline constexpr size_t kPieceBytes = 64 * 1024;

}  // namespace TextBlockRoom
