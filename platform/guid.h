// Globally unique identifiers, as the framework's OLE layer makes them.
#pragma once

#include <cstdint>

/// A GUID in the framework's layout: one 32-bit field, two 16-bit fields, then eight bytes.
struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
};

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;

/// Fills guid with a new random identifier (RFC 4122 version 4); returns S_OK.
HRESULT CoCreateGuid(GUID* guid);
