#include "platform/guid.h"

#include <uuid/uuid.h>

HRESULT CoCreateGuid(GUID* guid) {
    uuid_t bytes;
    uuid_generate_random(bytes);
    // The identifier's bytes in network order give the fields, as the framework shows them.
    guid->Data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
    guid->Data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
    guid->Data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) guid->Data4[i] = bytes[8 + i];
    return S_OK;
}
