// The program's memory on large pages.
#pragma once

/// Runs the program again at once, with the C library's allocator asked to back the memory it
/// takes from the system with large pages (2 MiB instead of 4 KiB), to keep blocks below 32 MiB
/// and freed memory in its heap for reuse, and to grow its heaps 64 MiB at a time, unless the
/// environment already says whether it should (GLIBC_TUNABLES names glibc.malloc.hugetlb: set it
/// to 0 to run on small pages, with the allocator's own thresholds). A plant's import touches
/// hundreds of megabytes of fresh memory, and on a virtual machine the first touch of each page,
/// and every change of the page tables, can cost more than the work done in it. Returns when the
/// program is not run again (already asked, or it cannot be run again), with nothing changed but
/// the environment variable. Call it first thing in main, before any thread starts.
void UseLargeMemoryPages(char** argv);
