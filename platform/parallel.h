// Work split into parts that run at the same time, one thread for each part but the first.
#pragma once

#include <cstddef>
#include <functional>

/// The most parts RunParts runs at once: the machine's processors (at least 1), or the limit set
/// by SetMaxParallelParts.
int MaxParallelParts();

/// Limits the parts run at once; 1 runs all split work on the calling thread, the reference a
/// split result must equal. 0 goes back to the machine's processors.
void SetMaxParallelParts(int parts);

/// How many parts count items are split into when each part should have at least minPerPart of
/// them: from 1 to MaxParallelParts().
int PartsFor(size_t count, size_t minPerPart);

/// The first item of a part when count items are split into parts ranges of nearly equal size,
/// in order; PartBegin(count, parts, parts) is count.
size_t PartBegin(size_t count, int parts, int part);

/// Runs work(0) to work(parts - 1) at the same time, work(0) on the calling thread, and returns
/// once every part has ended. An exception raised by a part is raised again then (the first by
/// part order).
void RunParts(int parts, const std::function<void(int part)>& work);
