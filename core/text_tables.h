// The process-wide text tables: every text the driver shows or hands to the host, filled with the
// built-in Chinese texts when the driver is loaded. The language library may replace them in place.
#pragma once

#include <vector>

#include "platform/cstring.h"

/// The tables, each filled from a block of string resource numbers (first number, last number).
enum TextTableId {
    kDeviceNameText,         ///< 1100: the device name
    kStatusChannelText,      ///< 1103: name of the status channel
    kPropertyNameTexts,      ///< 3000-3998: the six device property names
    kEnumValueTexts,         ///< 4000-4998: value texts of the enumerated properties, in one flat list
    kRegisterTypeTexts,      ///< 5000-5998: the four register type texts
    kDataTypeTexts,          ///< 6000-6998: twenty data type texts per register type
    kReadWriteTexts,         ///< 7100-7198: read/write texts inside channel names
    kParameterNameTexts,     ///< 9000-9098: the extra channel parameter (string length)
    kTextTableCount
};

struct STextTable {
    int firstNumber;
    int lastNumber;
    std::vector<CString> entries;
};

/// The table; its entries may be replaced in place.
STextTable& TextTable(TextTableId id);
/// One entry; an entry outside the table gives an empty text.
const CString& Text(TextTableId id, int entry);
/// Puts the built-in texts back into every table (at load, and for tests).
void ResetBuiltinTexts();
