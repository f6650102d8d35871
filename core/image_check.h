// Whether a stored record image holds everything its counts and lengths announce, before any of it
// is read into a record: a damaged image is refused whole instead of loading as rows of zeros that
// the next save would keep for good.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// Walks the record image in bytes[start, size) as the loader reads it for the given format version
/// (the value at offset 0): the property count and values, the option flags, the row count and
/// every row's cells (nine cells before version 20001, eleven from it on; a text is its count and
/// that many bytes). Returns an empty text when every count is 0 or more and fits in the bytes that
/// remain where it is read; otherwise what is wrong and at which offset. Bytes after the last row
/// are not looked at. An image of a version above 20001 is not read, and passes.
std::string FindImageDamage(const uint8_t* bytes, size_t size, size_t start, uint16_t version);
