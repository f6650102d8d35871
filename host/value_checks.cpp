#include "host/value_checks.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>

#include "host/project/host_error.h"
#include "platform/cstring.h"

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char ch) { return std::isdigit(ch); });
}

/// A number of decimal digits that fits in 32 bits, or -1.
long long DecimalNumber(const std::string& text) {
    if (!AllDigits(text) || text.size() > 10) return -1;
    const long long number = std::stoll(text);
    return number > std::numeric_limits<int32_t>::max() ? -1 : number;
}

[[noreturn]] void RefuseAddress(int regType, const std::string& address, const std::string& why) {
    const bool block = regType == kRegisterV;
    throw UsageError("--addr: \"" + address + "\" " + why + "; " +
                     (block ? "register V takes D.N or D.N_L (data block D from 1 to 60000, byte N, string length L), e.g. 1.4 or 1.4_20"
                            : "registers I, Q and M take N or N_L (byte N, string length L), e.g. 10 or 10_20") +
                     "; a bit's number is its data type (0 to 7)");
}

}  // namespace

void CheckChannelAddress(int regType, int typeIndex, const std::string& address) {
    std::string rest = address;
    if (regType == kRegisterV) {
        const size_t dot = rest.find('.');
        if (dot == std::string::npos) RefuseAddress(regType, address, "names no data block");
        const long long block = DecimalNumber(rest.substr(0, dot));
        if (block < 1 || block > kMaxBlockNumber) RefuseAddress(regType, address, "names no data block from 1 to 60000");
        rest = rest.substr(dot + 1);
    }
    const size_t underscore = rest.find('_');
    if (DecimalNumber(rest.substr(0, underscore)) < 0) RefuseAddress(regType, address, "is not a byte address");
    if (underscore == std::string::npos) return;
    if (typeIndex != kStringTypeIndex) RefuseAddress(regType, address, "gives a length, which only a string (data type 19) has");
    const long long length = DecimalNumber(rest.substr(underscore + 1));
    if (length < kMinStringLength || length > kMaxStringLength)
        RefuseAddress(regType, address, "gives no string length from 4 to 210");
}

void CheckTypeIndex(int typeIndex) {
    if (typeIndex < 0 || typeIndex > kStringTypeIndex)
        throw UsageError("--type: " + std::to_string(typeIndex) +
                         " is no data type index; accepted 0 to 19 (0 to 7 a bit, 11 a 16-bit unsigned word, 19 a string), e.g. --type 11");
}

void CheckChannelCount(int count) {
    if (count < 1 || count > static_cast<int>(kMaxChannelsPerBlock))
        throw UsageError("--count: " + std::to_string(count) + " channels cannot be added at once; accepted 1 to 5000, e.g. --count 10");
}

void CheckStringLength(int length) {
    if (length < kMinStringLength || length > kMaxStringLength)
        throw UsageError("--len: " + std::to_string(length) + " is no string length; accepted 4 to 210, e.g. --len 20");
}

std::vector<int> RowsToDelete(const std::vector<int>& indices, int rowCount) {
    std::vector<int> rows = indices;
    for (int row : rows)
        if (row < 0 || row >= rowCount)
            throw UsageError("channel delete: there is no row " + std::to_string(row) + "; the table has " + std::to_string(rowCount) +
                             " rows, numbered from 0 (see channel list); nothing was deleted");
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CheckDeviceName(const std::string& name) {
    if (name.find_first_not_of(" \t") == std::string::npos)
        throw UsageError("a device needs a name that is not blank, e.g. device add PLC1");
    for (unsigned char ch : name)
        if (ch < 0x20 || ch == 0x7F) throw UsageError("a device name may not hold control characters, e.g. device add PLC1");
    if (CString::FromUtf8(name).ToUtf8() != name) throw UsageError("a device name must be UTF-8 text, e.g. device add PLC1");
}
