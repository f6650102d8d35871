// A generated plant for the benchmarks and the import equivalence test: data block sources, a
// data type source and a tag table, written as TIA Portal V15 exports them, reproducible from a
// seed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

/// How large a plant to write.
struct SPlantSize {
    int leaves = 500000;  ///< leaf members of all data blocks together (the tags come on top)
    int blocks = 300;     ///< data block sources
    int tags = 50000;     ///< tags of the tag table
    uint64_t seed = 1;
};

/// The files of a written plant.
struct SPlantFiles {
    std::filesystem::path typeFile;               ///< the data type source, read before the blocks
    std::filesystem::path tagFile;                ///< the XML tag table
    std::vector<std::filesystem::path> blockFiles; ///< DBn_Name.db, in block number order
    int blockLeaves = 0;                          ///< leaves the blocks lay out into (= size.leaves)
    int tags = 0;
    uint64_t bytes = 0;                           ///< bytes written in all
};

/// Writes a plant into folder (which must exist). Blocks are standard-access data blocks built of
/// stations: nested and anonymous structures, arrays of structures, the plant's data types,
/// strings with start values, IEC timers and counters, Bools, comments in English and Chinese and
/// attribute blocks. Every block lays out into its share of size.leaves leaves exactly. The same
/// size and seed always give the same bytes.
SPlantFiles WritePlant(const std::filesystem::path& folder, const SPlantSize& size);
