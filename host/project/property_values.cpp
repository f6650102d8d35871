#include "host/project/property_values.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "host/project/host_error.h"

std::string CheckedPropertyNumber(int index, const std::string& property, const std::string& value) {
    const long long min = kPropertyKeys[index].min, max = kPropertyKeys[index].max;
    std::string text = value;
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    const bool wellFormed = !digits.empty() && digits.size() <= 10 &&
                            std::all_of(digits.begin(), digits.end(), [hex](unsigned char ch) { return hex ? std::isxdigit(ch) : std::isdigit(ch); });
    const long long number = wellFormed ? std::strtoll(digits.c_str(), nullptr, hex ? 16 : 10) : -1;
    if (!wellFormed || number < min || number > max)
        throw UsageError(property + ": \"" + value + "\" is not accepted; a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max) + " (decimal, or hexadecimal after 0x), e.g. " + property + "=" + std::to_string(min + 1));
    return std::to_string(number);
}
