// A program that asks for large pages starts once more with the allocator's tunables set, keeps its
// arguments and any other tunables, and leaves a choice already made in the environment alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

/// The probe's output when started with tunables (none when null) and two arguments.
std::string Probe(const char* tunables) {
    std::string command = "env -u GLIBC_TUNABLES -u PROBE_STARTS ";
    if (tunables) command += std::string("GLIBC_TUNABLES='") + tunables + "' ";
    command += std::string(VIREO_LARGE_PAGES_PROBE) + " 'two words' x";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "cannot start";
    std::string output;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
    return output;
}

}  // namespace

TEST(LargePagesTest, TheProgramStartsOnceMoreWithTheTunablesUnlessTheEnvironmentChose) {
    const std::string tunables =
        "glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=1073741824:"
        "glibc.malloc.top_pad=67108864";
    EXPECT_EQ(Probe(nullptr), tunables + "|++|two words|x|");
    EXPECT_EQ(Probe("glibc.malloc.arena_max=2"), "glibc.malloc.arena_max=2:" + tunables + "|++|two words|x|");
    EXPECT_EQ(Probe("glibc.malloc.hugetlb=0"), "glibc.malloc.hugetlb=0|+|two words|x|");
}
