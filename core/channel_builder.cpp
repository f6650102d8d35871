#include "core/channel_builder.h"

#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/text_tables.h"

namespace {

/// Reads a number as "%d" does; a text without one leaves value as it was.
int ReadNumber(CString text, int value) {
    ScanDecimal(text.Trim().view(), value);
    return value;
}

struct SParsedAddress {
    int block = 0;
    int address = 0;
    bool lengthGiven = false;
};

/// The address forms N, N_L (I, Q, M) and D.N, D.N_L (V); a block number outside V is ignored.
SParsedAddress ParseAddress(SChlInfo& info) {
    SParsedAddress parsed;
    const CString& text = info.address;
    const int dot = text.Find(u'.');
    if (dot >= 0) {
        parsed.block = ReadNumber(text.Left(dot), 0);
        if (info.regType != kRegisterV) parsed.block = 0;
        CString right = text.Mid(dot + 1);
        right.Trim();
        const int underscore = right.Find(u'_');
        if (underscore >= 0) {
            parsed.address = ReadNumber(right.Left(underscore), 0);
            info.strLen = ReadNumber(right.Mid(underscore + 1), 0);
            parsed.lengthGiven = true;
        } else {
            parsed.address = ReadNumber(right, 0);
        }
        if (parsed.address < 0) parsed.address = 0;
        return parsed;
    }
    const int underscore = text.Find(u'_');
    if (underscore >= 0) {
        info.strLen = ReadNumber(text.Mid(underscore + 1), 0);
        parsed.lengthGiven = true;
    }
    int number = 0;
    ScanDecimal(text.view(), number);
    if (info.regType == kRegisterV) {
        parsed.block = number;
    } else {
        parsed.address = number < 0 ? 0 : number;
    }
    return parsed;
}

/// Settles the string length: the one in the address, else the first extra parameter, clamped.
int SettleStringLength(SChlInfo& info, bool lengthGiven) {
    if (!lengthGiven && info.paramValues.GetSize() > 0) info.strLen = ReadNumber(info.paramValues[0], 0);
    if (info.strLen < kMinStringLength) info.strLen = kMinStringLength;
    if (info.strLen > kMaxStringLength) info.strLen = kMaxStringLength;
    return info.strLen;
}

/// The next address, wrapping at 32 bits as the stored cell does.
int Advance(int address, int step) { return static_cast<int>(static_cast<uint32_t>(address) + static_cast<uint32_t>(step)); }

unsigned BlockCount(int32_t chlCount) {
    const unsigned count = static_cast<unsigned>(chlCount);
    if (count == 0) return 1;
    return count > kMaxChannelsPerBlock ? kMaxChannelsPerBlock : count;
}

}  // namespace

int BuildRows(SChlInfo& info, std::vector<CDevRow>& rows) {
    CDevRow row;
    const SParsedAddress parsed = ParseAddress(info);
    int address = parsed.address;
    row.SetInt(kColBlock, parsed.block);
    row.SetInt(kColAddress, address);

    auto [code, size] = TypeIndexToCode(info.typeIndex, info.regType);
    const SRegisterType* reg = RegisterTypeAt(info.regType);
    if (code < 0 || !reg || info.rwFlag < kReadOnly || info.rwFlag > kReadWrite) return 0;
    if (code < 20) row.SetInt(kColBit, code);
    if (code == kStringCode) {
        size = SettleStringLength(info, parsed.lengthGiven);
        row.SetInt(kColBit, size);
    }
    row.SetInt(kColTypeCode, code);
    row.SetInt(kColRegType, info.regType);
    row.SetText(kColVarName, info.varName);
    row.SetText(kColComment, info.comment);
    if (reg->accessClass == 0) info.rwFlag = kReadOnly;
    row.SetInt(kColRwFlag, info.rwFlag);
    row.SetInt(kColMaxBlockRead, 0);
    row.SetInt(kColFastRead, 0);

    const unsigned count = BlockCount(info.chlCount);
    rows.reserve(rows.size() + count);
    for (unsigned i = 0; i < count; ++i) {
        MakeChannelName(row);
        rows.push_back(row);
        if (code < 20) {
            if (code < size - 1) {
                ++code;
            } else {
                code = 0;
                address = Advance(address, 1);
            }
            row.SetInt(kColBit, code);
            row.SetInt(kColTypeCode, code);
        } else {
            address = Advance(address, size + (code == kStringCode ? 2 : 0));
        }
        row.SetInt(kColAddress, address);
    }
    info.address = info.regType == kRegisterV ? CString::Formatted(u"%d.%d", parsed.block, address)
                                              : CString::Formatted(u"%d", address);
    return 1;
}

void MakeChannelName(CDevRow& row) {
    const int regType = row.GetInt(kColRegType);
    const int code = row.GetInt(kColTypeCode);
    const SRegisterType* reg = RegisterTypeAt(regType);
    const CString& rwText = Text(kReadWriteTexts, row.GetInt(kColRwFlag));
    CString name;
    if (regType == kRegisterV) {
        name = CString::Formatted(u"DB%.1d:", row.GetInt(kColBlock)) + rwText;
    } else {
        // A register type outside the four (only a damaged image holds one) gets no letter.
        name = reg ? CString(reg->letter, 1) + rwText : rwText;
    }
    if (code >= kFirstNumberCode) {
        if (const char16_t* nameCode = TypeNameCode(code)) name += nameCode;
    }
    name += CString::Formatted(reg ? reg->addressFormat : u"%.3d", row.GetInt(kColAddress));
    if (reg && *reg->bitFormat && code < 16) name += CString::Formatted(reg->bitFormat, code);
    if (code == kStringCode) name += CString::Formatted(u"_%d", row.GetInt(kColBit));
    row.SetText(kColChannelName, name.MakeUpper());
}

CString SanitizeVarName(CString name) {
    static const char16_t* const kReplaced[] = {
        u".", u":", u"[", u"]", u"(", u")", u"__", u"`", u"~", u"!", u"@", u"#", u"$", u"%", u"^", u"&", u"*", u"-",
        u"=", u"+", u"\\", u"|", u"}", u"{", u"'", u"\"", u";", u"/", u"?", u">", u",", u"<", u"\r", u"\t", u" ", u"\uFFE5",
    };
    // Most names hold none of these: one look for any of them saves the passes.
    static const CString kAnyReplaced = u".:[]()_`~!@#$%^&*-=+\\|}{'\";/?>,<\r\t \uFFE5";
    if (name.FindOneOf(kAnyReplaced) < 0) return name;
    for (const char16_t* text : kReplaced) name.Replace(text, u"_");
    return name;
}

void DescribeRow(CDevRow& row, int rowIndex, int position, SChlInfo& info) {
    const int regType = row.GetInt(kColRegType);
    const int code = row.GetInt(kColTypeCode);
    const int block = row.GetInt(kColBlock), address = row.GetInt(kColAddress), length = row.GetInt(kColBit);
    info.chlIndex = rowIndex;
    info.regType = regType;
    info.strLen = -1;
    if (regType == kRegisterV) {
        info.address = code == kStringCode ? CString::Formatted(u"%d.%d_%d", block, address, length)
                                           : CString::Formatted(u"%d.%d", block, address);
    } else {
        info.address = code == kStringCode ? CString::Formatted(u"%d_%d", address, length) : CString::Formatted(u"%d", address);
    }
    info.chlCount = 1;
    info.rwFlag = row.GetInt(kColRwFlag);
    MakeChannelName(row);
    info.chlName = row.GetText(kColChannelName);
    info.comment = row.GetText(kColComment);
    const CString& varName = row.GetText(kColVarName);
    if (!varName.IsEmpty()) {
        info.varName = SanitizeVarName(varName);
        if (info.varName.GetLength() >= 500) info.varName = info.varName.Left(494) + CString::Formatted(u"_%04d", position);
    } else {
        info.varName = info.chlName;
        info.varName.Replace(u'.', u'_');
        info.varName.Replace(u':', u'_');
    }
    info.chlKind = ChannelKind(code);
    info.typeIndex = TypeCodeToIndex(code, regType);
}
