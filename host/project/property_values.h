// What the host knows of the driver's six device properties beyond their names: a key for each that
// is the same in every user-interface language, and the numbers a free property accepts. The
// driver reads any text as a number (abc as 0, 12abc as 12), so the host checks the text first.
#pragma once

#include <string>

struct SPropertyKey {
    const char* key;  ///< delay, reconnect, rack, slot, encoding, byte-order
    long long min;    ///< for a free property: the accepted numbers
    long long max;
};

constexpr SPropertyKey kPropertyKeys[] = {
    {"delay", 0, 2147483647}, {"reconnect", 0, 2147483647}, {"rack", 0, 7},
    {"slot", 0, 31},          {"encoding", 0, 0},           {"byte-order", 0, 0},
};
constexpr int kPropertyKeyCount = static_cast<int>(sizeof kPropertyKeys / sizeof kPropertyKeys[0]);

/// The value of the free property at position index as the driver stores it (decimal): a whole
/// number, decimal or hexadecimal after 0x, blanks around it allowed, within the property's range.
/// UsageError naming the property (as the user wrote it), the range and an example otherwise.
std::string CheckedPropertyNumber(int index, const std::string& property, const std::string& value);
