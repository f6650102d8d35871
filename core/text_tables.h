// The process-wide text tables: every text the driver shows or hands to the host. They are filled
// with the driver's built-in (Chinese) strings when it is loaded, and the language library may
// replace their entries in place.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/resources.h"

/// The tables, each filled from a block of string numbers (see the table list in text_tables.cpp).
enum TextTableId {
    kDeviceNameText,         ///< 1100
    kDeviceDescriptionText,  ///< 1101
    kConnectionHintText,     ///< 1102
    kStatusChannelText,      ///< 1103: name of the status channel
    kConnectionStateTexts,   ///< 1150-1157
    kCommErrorTexts,         ///< 1160-1166
    kParentConfigTexts,      ///< 2006-2008, one number per entry
    kPropertyNameTexts,      ///< 3000-3998: the six device property names
    kEnumValueTexts,         ///< 4000-4998: value texts of the enumerated properties, one flat list
    kRegisterTypeTexts,      ///< 5000-5998
    kDataTypeTexts,          ///< 6000-6998: twenty per register type
    kOperationTexts,         ///< 7000-7098
    kReadWriteTexts,         ///< 7100-7198: read/write texts inside channel names
    kChannelQualityTexts,    ///< 7200-7398
    kPlcErrorTexts,          ///< 7400-7598
    kParameterNameTexts,     ///< 9000-9098: the extra channel parameter (string length)
    kBlockListHeadings,      ///< 9100-9198
    kStatusListHeadings,     ///< 9200-9298
    kTagImportTexts,         ///< 9300-9398
    kDataTypeEditorTexts,    ///< 9400-9498
    kTextTableCount
};

/// The first string number of the data structure editor's texts: entry i is number 9400 + i, in the
/// built-in strings and in the language library alike.
inline constexpr int kDataTypeEditorFirstText = 9400;

struct STextTable {
    int firstNumber;
    int lastNumber;
    bool oneForOne;  ///< each entry has its own number; a missing number leaves its entry alone
    std::vector<CString> entries;
};

/// The table; its entries may be replaced in place.
STextTable& TextTable(TextTableId id);
/// One entry; an entry outside the table gives an empty text.
const CString& Text(TextTableId id, int entry);

/// Puts the driver's built-in texts back into every table (at load, and for tests).
void ResetBuiltinTexts();

/// Fills every table from the module's strings of the given language. Each table takes its numbers
/// in order from its first: a number that loads fills the current entry and moves on to the next
/// entry; a number that does not load leaves the entry and the next number is tried for it; the
/// table stops when all entries are filled or its last number was tried. A one-for-one table takes
/// number first + i for entry i only.
void FillTextTables(HMODULE module, LANGID lang);
