#include "core/channel_builder.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/channel_name.h"
#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/read_write_text_numbers.h"
#include "core/text_tables.h"

namespace {

/// The number at the start of text as "%d" reads it (blanks before it skipped), or 0 when there is
/// none. Read from views of the address: an import parses one address for every leaf of a plant.
int NumberIn(std::u16string_view text) {
    int value = 0;
    ScanDecimal(text, value);
    return value;
}

/// Whether the number at the start of text, as NumberIn reads it, lies in the 32-bit range: a
/// larger one would wrap to another address. Text without a number fits (it reads as 0).
bool NumberFits(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    const int64_t limit = negative ? -int64_t{INT32_MIN} : INT32_MAX;
    int64_t number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        number = number * 10 + (text[i] - u'0');
        if (number > limit) return false;
    }
    return true;
}

/// Whether every number of an address text lies in the 32-bit range.
bool AddressNumbersFit(std::u16string_view text) {
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find_first_of(u"._", start), text.size());
        if (!NumberFits(text.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}

struct SParsedAddress {
    int block = 0;
    int address = 0;
    bool lengthGiven = false;
};

/// The address forms N, N_L (I, Q, M) and D.N, D.N_L (V); a block number outside V is ignored.
/// Blanks around the parts do not matter: a number is read after blanks and ends before them.
SParsedAddress ParseAddress(SChlInfo& info) {
    SParsedAddress parsed;
    const std::u16string_view text = info.address.view();
    const size_t dot = text.find(u'.');
    if (dot != std::u16string_view::npos) {
        parsed.block = info.regType == kRegisterV ? NumberIn(text.substr(0, dot)) : 0;
        const std::u16string_view right = text.substr(dot + 1);
        const size_t underscore = right.find(u'_');
        if (underscore != std::u16string_view::npos) {
            parsed.address = NumberIn(right.substr(0, underscore));
            info.strLen = NumberIn(right.substr(underscore + 1));
            parsed.lengthGiven = true;
        } else {
            parsed.address = NumberIn(right);
        }
        if (parsed.address < 0) parsed.address = 0;
        return parsed;
    }
    const size_t underscore = text.find(u'_');
    if (underscore != std::u16string_view::npos) {
        info.strLen = NumberIn(text.substr(underscore + 1));
        parsed.lengthGiven = true;
    }
    const int number = NumberIn(text);
    if (info.regType == kRegisterV) {
        parsed.block = number;
    } else {
        parsed.address = number < 0 ? 0 : number;
    }
    return parsed;
}

int ClampedStringLength(int length) { return std::clamp(length, kMinStringLength, kMaxStringLength); }

/// Settles the string length: the one in the address, else the first extra parameter, clamped.
int SettleStringLength(SChlInfo& info, bool lengthGiven) {
    if (!lengthGiven && info.paramValues.GetSize() > 0) info.strLen = NumberIn(info.paramValues[0].view());
    info.strLen = ClampedStringLength(info.strLen);
    return info.strLen;
}

/// Where the next row of a block stands: its address and, for bits, its bit number.
struct SRowPosition {
    int64_t address;
    int code;
};

/// Moves to the next row: the next bit, the first bit of the next address after the last one, or
/// past the value (and a string's two length bytes).
void StepRow(SRowPosition& at, int size) {
    if (at.code < 20) {
        if (at.code < size - 1) {
            ++at.code;
        } else {
            at.code = 0;
            ++at.address;
        }
    } else {
        at.address += size + (at.code == kStringCode ? 2 : 0);
    }
}

/// Whether count rows from start, and the next free address after them, stay within the 32-bit
/// addresses a row stores: checked before anything is built, so that no row and no next address
/// wraps to a negative one.
bool BlockFits(SRowPosition start, int size, unsigned count) {
    for (unsigned i = 0; i < count; ++i) StepRow(start, size);
    return start.address <= INT32_MAX;
}

/// The next free address as a description gives it: N, or D.N for a data block.
CString NextAddressText(int regType, int block, int address) {
    std::u16string text;
    if (regType == kRegisterV) {
        AppendDecimal(text, block, 1);
        text += u'.';
    }
    AppendDecimal(text, address, 1);
    return CString(std::move(text));
}

unsigned BlockCount(int32_t chlCount) {
    const unsigned count = static_cast<unsigned>(chlCount);
    if (count == 0) return 1;
    return count > kMaxChannelsPerBlock ? kMaxChannelsPerBlock : count;
}

/// What a channel's rows are: their type code, the size of one value (a string's settled length)
/// and the register type.
struct SRowType {
    int code;
    int size;
    const SRegisterType* reg;
};

/// The row type of a data-type index in a register type with a read/write flag; false for any of
/// them out of range.
bool RowTypeOf(int typeIndex, int regType, int rwFlag, SRowType& type) {
    const auto [code, size] = TypeIndexToCode(typeIndex, regType);
    type = {code, size, RegisterTypeAt(regType)};
    return code >= 0 && type.reg && rwFlag >= kReadOnly && rwFlag <= kReadWrite;
}

/// Builds count rows from start, of type, each named, with these texts. The next free address
/// after them, or -1 (no rows) when they or it would pass the 32-bit addresses.
int64_t BuildRowsFrom(const SChannelStart& start, const SRowType& type, unsigned count, std::u16string_view varName,
                      std::u16string_view comment, std::vector<CDevRow>& rows) {
    int address = start.address, code = type.code;
    if (!BlockFits({address, code}, type.size, count)) return -1;
    CDevRow row;
    row.SetInt(kColBlock, start.block);
    row.SetInt(kColAddress, address);
    if (code < 20) row.SetInt(kColBit, code);
    if (code == kStringCode) row.SetInt(kColBit, type.size);
    row.SetInt(kColTypeCode, code);
    row.SetInt(kColRegType, start.regType);
    const int rwFlag = type.reg->accessClass == 0 ? kReadOnly : start.rwFlag;
    row.SetInt(kColRwFlag, rwFlag);
    row.SetInt(kColMaxBlockRead, 0);
    row.SetInt(kColFastRead, 0);
    // Room for the block at once, growing geometrically so that many calls on one list stay linear.
    if (rows.capacity() - rows.size() < count) rows.reserve(std::max(rows.size() + count, rows.capacity() * 2));
    // Each row's name is formed from its cells when asked for, with the read/write text of now.
    const CString& rwText = Text(kReadWriteTexts, rwFlag);
    row.SetTexts({{kColVarName, varName}, {kColComment, comment}});
    for (unsigned i = 0; i < count; ++i) {
        // The last row is handed over rather than copied: most descriptions build a single row.
        const bool last = i + 1 == count;
        if (last) rows.push_back(std::move(row));
        else rows.push_back(row);
        rows.back().FormChannelNameWith(rwText.view());
        SRowPosition next{address, code};
        StepRow(next, type.size);
        address = static_cast<int>(next.address);  // BlockFits saw it fit
        code = next.code;
        if (last) break;
        if (code < 20) {
            row.SetInt(kColBit, code);
            row.SetInt(kColTypeCode, code);
        }
        row.SetInt(kColAddress, address);
    }
    return address;
}

/// BuildRows's work; for a description given up (givenUp) no next address is written back.
int BuildRowsOf(SChlInfo& info, std::vector<CDevRow>& rows, bool givenUp) {
    if (!AddressNumbersFit(info.address.view())) return 0;
    const SParsedAddress parsed = ParseAddress(info);
    SRowType type;
    if (!RowTypeOf(info.typeIndex, info.regType, info.rwFlag, type)) return 0;
    if (type.code == kStringCode) type.size = SettleStringLength(info, parsed.lengthGiven);
    if (type.reg->accessClass == 0) info.rwFlag = kReadOnly;
    const SChannelStart start{info.regType, info.typeIndex, info.rwFlag, parsed.block, parsed.address, info.strLen};
    const int64_t next = BuildRowsFrom(start, type, BlockCount(info.chlCount), info.varName.view(), info.comment.view(), rows);
    if (next < 0) return 0;
    if (!givenUp) info.address = NextAddressText(info.regType, parsed.block, static_cast<int>(next));  // nobody reads a given-up one
    return 1;
}

}  // namespace

int BuildRows(SChlInfo& info, std::vector<CDevRow>& rows) { return BuildRowsOf(info, rows, false); }

int BuildRows(SChlInfo&& info, std::vector<CDevRow>& rows) { return BuildRowsOf(info, rows, true); }

int BuildSingleRow(const SChannelStart& start, std::u16string_view varName, std::u16string_view comment, std::vector<CDevRow>& rows) {
    SRowType type;
    if (!RowTypeOf(start.typeIndex, start.regType, start.rwFlag, type)) return 0;
    if (type.code == kStringCode) type.size = ClampedStringLength(start.strLen);
    return BuildRowsFrom(start, type, 1, varName, comment, rows) < 0 ? 0 : 1;
}

std::u16string_view MakeChannelName(CDevRow& row) {
    thread_local std::u16string name, stored;
    const std::u16string_view rwText = Text(kReadWriteTexts, row.GetInt(kColRwFlag)).view();
    // A name that has not changed is not made again, so describing makes no new texts for it.
    if (const uint8_t formedWith = row.ChannelNameFormedWith(); formedWith != 0 && ReadWriteTextOfNumber(formedWith) == rwText)
        return row.ReadText(kColChannelName, name);
    FormChannelName(row, rwText, name);
    // A formed name is formed with the text of now from here on; a stored one that changed is
    // stored anew, in a block of the same size as before.
    if (row.ChannelNameFormedWith() != 0) row.FormChannelNameWith(rwText);
    else if (row.ReadText(kColChannelName, stored) != name) row.SetText(kColChannelName, CString(std::u16string_view(name)));
    return name;
}

namespace {

/// A variable name this long or longer is described cut: its first kCutVarNameLength characters,
/// "_" and the row's place in the list being described, at least four digits.
constexpr size_t kLongestDescribedVarName = 500;
constexpr size_t kCutVarNameLength = 494;

/// The variable name with the characters it may not hold replaced: the view itself when nothing is
/// replaced, else a view of buffer. For texts of either width: of one byte per character, only
/// ASCII.
template <typename Char>
std::basic_string_view<Char> Sanitized(std::basic_string_view<Char> text, std::basic_string<Char>& sanitized) {
    // Replacing each text in turn comes down to three steps, done here in one pass: first the six
    // characters listed before the two underscores become "_", then each "__" (which the first step
    // may have made) becomes "_", left to right, then every other listed character becomes "_"
    // wherever it stands, so their order does not matter and no later "__" is shortened.
    enum : uint8_t { kKept, kBeforeUnderscores, kUnderscore, kAfterUnderscores };
    static constexpr auto kClassOf = [] {
        std::array<uint8_t, 128> classes{};
        for (char ch : std::string_view(".:[]()")) classes[static_cast<size_t>(ch)] = kBeforeUnderscores;
        classes['_'] = kUnderscore;
        for (char ch : std::string_view("`~!@#$%^&*-=+\\|}{'\";/?>,<\r\t ")) classes[static_cast<size_t>(ch)] = kAfterUnderscores;
        return classes;
    }();
    constexpr char16_t kYuanSign = u'\uFFE5';  // listed after the two underscores
    auto classOf = [](char16_t ch) -> uint8_t {
        if (ch < 128) return kClassOf[ch];
        return ch == kYuanSign ? kAfterUnderscores : kKept;
    };
    auto classOfChar = [&](Char ch) { return classOf(static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(ch))); };
    const auto first = std::find_if(text.begin(), text.end(), [&](Char ch) { return classOfChar(ch) != kKept; });
    if (first == text.end()) return text;
    // Made in the caller's buffer, never longer than the name: describing a large table sanitizes
    // nearly every variable name, and the buffer is reused from row to row. The characters before
    // the first one replaced are kept as they are.
    sanitized.resize(text.size());
    const size_t kept = static_cast<size_t>(first - text.begin());
    std::copy(text.begin(), first, sanitized.begin());
    size_t length = kept;
    bool underscoreBefore = false;  // the last character kept was an underscore of the first step
    for (size_t i = kept; i < text.size(); ++i) {
        const uint8_t kind = classOfChar(text[i]);
        const bool underscore = kind == kBeforeUnderscores || kind == kUnderscore;
        if (underscore && underscoreBefore) {
            underscoreBefore = false;  // "__" becomes "_"
            continue;
        }
        underscoreBefore = underscore;
        sanitized[length++] = kind == kKept ? text[i] : Char('_');
    }
    return std::basic_string_view<Char>(sanitized).substr(0, length);
}

template <typename Char>
std::basic_string_view<Char> Described(std::basic_string_view<Char> varName, int position, std::basic_string<Char>& buffer) {
    const std::basic_string_view<Char> sanitized = Sanitized(varName, buffer);
    if (sanitized.size() < kLongestDescribedVarName) return sanitized;
    buffer.assign(sanitized.substr(0, kCutVarNameLength));  // the view may be of buffer itself
    std::u16string place(u"_");
    AppendDecimal(place, position, 4);
    buffer.append(place.begin(), place.end());  // ASCII: the same characters in either width
    return buffer;
}

}  // namespace

CString SanitizeVarName(CString name) {
    std::u16string buffer;
    const std::u16string_view sanitized = Sanitized(name.view(), buffer);
    // Handed back as it was when nothing is replaced; otherwise copied into the name's own storage.
    if (sanitized.data() != name.view().data()) name.Assign(sanitized);
    return name;
}

void RefreshChannelName(CDevRow& row) {
    const uint8_t formedWith = row.ChannelNameFormedWith();
    // A name formed with the read/write text of now stays as it is: it need not be formed to know.
    if (formedWith != 0 && ReadWriteTextOfNumber(formedWith) == Text(kReadWriteTexts, row.GetInt(kColRwFlag)).view()) return;
    MakeChannelName(row);
}

void FormAddressText(const CDevRow& row, std::u16string& text) {
    text.clear();
    if (row.GetInt(kColRegType) == kRegisterV) {
        AppendDecimal(text, row.GetInt(kColBlock), 1);
        text += u'.';
    }
    AppendDecimal(text, row.GetInt(kColAddress), 1);
    if (row.GetInt(kColTypeCode) == kStringCode) {
        text += u'_';
        AppendDecimal(text, row.GetInt(kColBit), 1);
    }
}

std::u16string_view DescribedVarName(std::u16string_view varName, int position, std::u16string& buffer) {
    return Described(varName, position, buffer);
}

std::string_view DescribedVarName(std::string_view asciiVarName, int position, std::string& buffer) {
    return Described(asciiVarName, position, buffer);
}

std::u16string_view VarNameOfChannelName(std::u16string_view chlName, std::u16string& buffer) {
    buffer.assign(chlName);
    std::replace(buffer.begin(), buffer.end(), u'.', u'_');
    std::replace(buffer.begin(), buffer.end(), u':', u'_');
    return buffer;
}



void DescribeRow(CDevRow& row, int rowIndex, int position, SChlInfo& info) {
    const int regType = row.GetInt(kColRegType);
    const int code = row.GetInt(kColTypeCode);
    info.chlIndex = rowIndex;
    info.regType = regType;
    info.strLen = -1;
    thread_local std::u16string text, cut;  // texts made in buffers the thread keeps
    FormAddressText(row, text);
    info.address.Assign(text);
    info.chlCount = 1;
    info.rwFlag = row.GetInt(kColRwFlag);
    info.chlName.Assign(MakeChannelName(row));
    info.comment.Assign(row.ReadText(kColComment, text));  // the address's buffer is free again
    const std::u16string_view varName = row.ReadText(kColVarName, text);
    info.varName.Assign(varName.empty() ? VarNameOfChannelName(info.chlName.view(), cut) : DescribedVarName(varName, position, cut));
    info.chlKind = ChannelKind(code);
    info.typeIndex = TypeCodeToIndex(code, regType);
}
