// How many cells of each kind a channel row holds.
#pragma once

/// The most text cells a row holds.
constexpr int kMaxRowTexts = 3;
/// The most integer cells a row holds, and the most cells of both kinds: a row keeps its integer
/// cells in itself and its texts in one block, so that making one allocates once, and the row is
/// one cache line of 64 bytes (a large table holds hundreds of thousands of rows). The column
/// registry refuses a larger definition.
constexpr int kMaxRowInts = 8;
constexpr int kMaxRowCells = kMaxRowInts + kMaxRowTexts;
