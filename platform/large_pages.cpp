#include "platform/large_pages.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

void UseLargeMemoryPages(char** argv) {
    constexpr const char* kTunable = "glibc.malloc.hugetlb";
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables && std::strstr(tunables, kTunable)) return;  // asked already, either way
    std::string value = tunables && *tunables ? std::string(tunables) + ":" : std::string();
    value += std::string(kTunable) + "=1";
    // Blocks below 32 MiB (a round's rows, a part's archive, a batch of keys) come from the heap,
    // and freed memory stays there until the program gives it back on purpose (ReturnFreedMemory):
    // the next large list then reuses touched pages instead of having fresh ones mapped and zeroed.
    value += ":glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=1073741824";
    // The heap grows by 64 MiB at a time, the size of a heap of the threads' own: a heap a part's
    // thread fills (the leaves one part lays out) is then made writable whole when it is made, not
    // a page at a time as it fills, each a system call that changes the page tables (costly on a
    // virtual machine), and its memory can be backed by large pages. Room not touched takes no
    // memory.
    value += ":glibc.malloc.top_pad=67108864";
    // The tunable is read when the program starts: the program starts again with it. Set first,
    // so that a failed start does not try again, and the program then goes on as it is.
    if (setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0) return;
    execv("/proc/self/exe", argv);
}
