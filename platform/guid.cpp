#include "platform/guid.h"

#include <uuid/uuid.h>

#include <cstring>
#include <random>

namespace {

/// Random bits for identifiers, a generator per thread seeded once from the system's random
/// identifiers: a large import names thousands of anonymous structures, and asking the system for
/// each one costs far more than the rest of making it.
std::mt19937_64& Generator() {
    thread_local std::mt19937_64 generator = [] {
        uuid_t seed;
        uuid_generate_random(seed);
        uint32_t words[4];
        std::memcpy(words, seed, sizeof words);
        std::seed_seq sequence(std::begin(words), std::end(words));
        return std::mt19937_64(sequence);
    }();
    return generator;
}

}  // namespace

HRESULT CoCreateGuid(GUID* guid) {
    uint8_t bytes[16];
    for (int half = 0; half < 2; ++half) {
        const uint64_t bits = Generator()();
        std::memcpy(bytes + 8 * half, &bits, sizeof bits);
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // the RFC 4122 variant
    // The identifier's bytes in network order give the fields, as the framework shows them.
    guid->Data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
    guid->Data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
    guid->Data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) guid->Data4[i] = bytes[8 + i];
    return S_OK;
}
