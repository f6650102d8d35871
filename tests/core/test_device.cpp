#include "test_device.h"

#include <iconv.h>

#include <ostream>
#include <stdexcept>

#include "core/column_registry.h"
#include "platform/code_page.h"

std::string Gbk(std::u16string_view text) {
    iconv_t cd = iconv_open("CP936", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP936");
    std::string out(text.size() * 4, '\0');
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    size_t inLeft = text.size() * 2, outLeft = out.size();
    char* outPtr = out.data();
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) throw std::runtime_error("text not in CP936");
    out.resize(out.size() - outLeft);
    return out;
}

ImageWriter& ImageWriter::U16(uint16_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
}

ImageWriter& ImageWriter::I32(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(bits >> shift));
    return *this;
}

ImageWriter& ImageWriter::Text(std::u16string_view text) { return RawText(Gbk(text)); }

ImageWriter& ImageWriter::RawText(const std::string& bytes) {
    I32(static_cast<int32_t>(bytes.size()));
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

ImageWriter& ImageWriter::Row(const RowCells& row, int cells) {
    for (int32_t value : {row.rwFlag, row.regType, row.block, row.address, row.bit, row.typeCode, row.fastRead, row.maxBlockRead})
        I32(value);
    Text(row.name);
    if (cells == 11) Text(row.varName).Text(row.comment);
    return *this;
}

ImageWriter& ImageWriter::Header(uint16_t version, const std::vector<int32_t>& properties, uint32_t flags, int32_t rows) {
    if (version) U16(version);
    I32(static_cast<int32_t>(properties.size()));
    for (int32_t value : properties) I32(value);
    return I32(static_cast<int32_t>(flags)).I32(rows);
}

TestDevice::TestDevice(const Bytes& image, int mode) : archive(mode) {
    CByteArray& buffer = archive.GetBuffer();
    buffer.SetSize(static_cast<int>(image.size()));
    std::copy(image.begin(), image.end(), buffer.begin());
}

Bytes TestDevice::Image() const {
    const CByteArray& buffer = archive.GetBuffer();
    const int end = archive.IsStoring() ? archive.GetPosition() : buffer.GetSize();
    return Bytes(buffer.begin(), buffer.begin() + end);
}

Bytes TestDevice::Buffer() const { return Bytes(archive.GetBuffer().begin(), archive.GetBuffer().end()); }

SChlInfo Describe(int regType, int typeIndex, const char16_t* address, int count, int rwFlag) {
    SChlInfo info;
    info.regType = regType;
    info.typeIndex = typeIndex;
    info.address = address;
    info.chlCount = count;
    info.rwFlag = rwFlag;
    return info;
}

int Add(TestDevice& device, SChlInfo info) { return SvrSetChlInfo(&device.object, info); }

void Clear(TestDevice& device) {
    CArray<int32_t> none;
    SvrDeleteChlInfo(&device.object, none);
}

std::vector<std::u16string> Names(const CDevTable& table) {
    std::vector<std::u16string> names;
    for (const CDevRow& row : table.Rows()) names.push_back(row.GetText(ColumnName::kChannelName).str());
    return names;
}

RowCells CellsOf(const CDevRow& row) {
    using namespace ColumnName;
    return {row.GetInt(kRwFlag), row.GetInt(kRegType), row.GetInt(kBlock), row.GetInt(kAddress),
            row.GetInt(kBit), row.GetInt(kTypeCode), row.GetInt(kFastRead), row.GetInt(kMaxBlockRead),
            row.GetText(kChannelName).str(), row.GetText(kVarName).str(), row.GetText(kComment).str()};
}

bool operator==(const RowCells& a, const RowCells& b) {
    return a.rwFlag == b.rwFlag && a.regType == b.regType && a.block == b.block && a.address == b.address &&
           a.bit == b.bit && a.typeCode == b.typeCode && a.fastRead == b.fastRead && a.maxBlockRead == b.maxBlockRead &&
           a.name == b.name && a.varName == b.varName && a.comment == b.comment;
}

void PrintTo(const RowCells& row, std::ostream* out) {
    *out << "{rw " << row.rwFlag << ", reg " << row.regType << ", block " << row.block << ", address " << row.address
         << ", bit " << row.bit << ", code " << row.typeCode << ", " << row.fastRead << ", " << row.maxBlockRead << ", \""
         << Utf16ToUtf8(row.name) << "\", \"" << Utf16ToUtf8(row.varName) << "\", \"" << Utf16ToUtf8(row.comment) << "\"}";
}

void PrintTo(const CString& text, std::ostream* out) { *out << '"' << text.ToUtf8() << '"'; }

std::vector<RowCells> CellsOf(const CDevTable& table) {
    std::vector<RowCells> rows;
    for (const CDevRow& row : table.Rows()) rows.push_back(CellsOf(row));
    return rows;
}

std::vector<RowCells> StoredRows(const TestDevice& device) {
    TestDevice reader(device.Image());
    return CellsOf(reader.Table());
}
