// Merging many one-row channel blocks into a channel table in one pass.
#pragma once

#include <vector>

#include "core/dev_table.h"

/// Merges rows into the table with the result of merging each row as a block of its own, in order
/// (MergeRows with merge on, once per row): a row replaces the table's rows of its key, and a later
/// row replaces an earlier one of the same key. A sorted table is merged in one pass, sorting only
/// the new rows; an unsorted one (as a stored image may hold it) is merged row by row.
void MergeSingleRows(CDevTable& table, std::vector<CDevRow> rows);
/// The same for rows given in consecutive parts (built side by side), as if they were one list.
void MergeSingleRows(CDevTable& table, std::vector<std::vector<CDevRow>> parts);
