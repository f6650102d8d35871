// Started by the large pages test: asks for large pages, then prints what it runs with: the
// allocator's tunables, how often it started, and its arguments.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/large_pages.h"

int main(int argc, char** argv) {
    const char* started = std::getenv("PROBE_STARTS");
    const std::string starts = std::string(started ? started : "") + "+";
    setenv("PROBE_STARTS", starts.c_str(), 1);
    UseLargeMemoryPages(argv);
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    std::printf("%s|%s|", tunables ? tunables : "", starts.c_str());
    for (int i = 1; i < argc; ++i) std::printf("%s|", argv[i]);
    return 0;
}
