// Register types, data-type indices and codes of channels.
#pragma once

/// Register types, by position: 0 I inputs, 1 Q outputs, 2 M memory, 3 V data blocks.
constexpr int kRegisterTypeCount = 4;
constexpr int kRegisterV = 3;

/// Read/write flags.
constexpr int kReadOnly = 0;
constexpr int kWriteOnly = 1;
constexpr int kReadWrite = 2;

/// Data-type codes stored in the row: 0 to 7 the bit number, 80 to 90 numbers, 131 a string.
constexpr int kFirstNumberCode = 80;
constexpr int kStringCode = 131;
constexpr int kDataTypesPerRegister = 20;
constexpr int kMinStringLength = 4;
constexpr int kMaxStringLength = 210;

struct SRegisterType {
    char16_t letter;             ///< the letter that starts channel names
    int accessClass;             ///< the read/write flag allowed; 0 forces read only
    int dataTypeCount;
    const char16_t* addressFormat;
    const char16_t* bitFormat;
};

/// The register type at position regType, or null outside 0 to 3.
const SRegisterType* RegisterTypeAt(int regType);

struct STypeCode {
    int code;
    int size;  ///< bytes; 8 for bits (eight bits per byte); 128 for a string
};

/// The code and size of a data-type index of a register type. An index outside the register
/// type's list (or a register type outside 0 to 3) gives code -1.
STypeCode TypeIndexToCode(int index, int regType);
/// The data-type index of a code, the inverse of TypeIndexToCode.
int TypeCodeToIndex(int code, int regType);
/// The channel kind reported to the host: 1 bits, 2 numbers, 3 strings (-1 for codes 9 to 19).
int ChannelKind(int code);
/// "BUB" to "LDF" for the number codes 80 to 90, "STR" for a string, otherwise null.
const char16_t* TypeNameCode(int code);
