// Writes a generated plant into a folder:
//   plant_generator FOLDER [--leaves N] [--blocks N] [--tags N] [--seed N]
// Defaults: 500,000 block leaves in 300 data blocks, 50,000 tags, seed 1. Prints the files'
// count, their size and the leaves they lay out into.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "bench/plant_writer.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: plant_generator FOLDER [--leaves N] [--blocks N] [--tags N] [--seed N]\n");
    return 2;
}

bool ReadNumber(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text >= '0' && *text <= '9' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return Usage();
    SPlantSize size;
    for (int i = 2; i < argc; i += 2) {
        uint64_t value = 0;
        if (i + 1 >= argc || !ReadNumber(argv[i + 1], value) || value > 100'000'000) return Usage();
        const std::string option = argv[i];
        if (option == "--leaves") size.leaves = static_cast<int>(value);
        else if (option == "--blocks") size.blocks = static_cast<int>(value);
        else if (option == "--tags") size.tags = static_cast<int>(value);
        else if (option == "--seed") size.seed = value;
        else return Usage();
    }
    try {
        std::filesystem::create_directories(argv[1]);
        const SPlantFiles files = WritePlant(argv[1], size);
        std::printf("%zu files, %.1f MB, %d block leaves, %d tags\n", files.blockFiles.size() + 2,
                    static_cast<double>(files.bytes) / 1e6, files.blockLeaves, files.tags);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "plant_generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
