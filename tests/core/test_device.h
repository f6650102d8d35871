// What the core tests share: a host-side device with its archive, stored images written byte by
// byte without the archive, and short ways to describe and inspect channels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/dev_record.h"
#include "core/exports.h"

using Bytes = std::vector<uint8_t>;

/// Text in code page 936, converted by iconv directly (not by the code under test).
std::string Gbk(std::u16string_view text);

/// The cells of one stored row, in column order.
struct RowCells {
    int32_t rwFlag = 0, regType = 0, block = 0, address = 0, bit = 0, typeCode = 0, fastRead = 0, maxBlockRead = 0;
    std::u16string name, varName, comment;
};

/// Writes a stored image field by field: numbers little-endian, texts as a 32-bit byte count and
/// their bytes in code page 936.
class ImageWriter {
public:
    ImageWriter& U16(uint16_t value);
    ImageWriter& I32(int32_t value);
    ImageWriter& Text(std::u16string_view text);
    ImageWriter& RawText(const std::string& bytes);
    /// A row of 11 cells, or of 9 (the form of images before version 20001).
    ImageWriter& Row(const RowCells& row, int cells = 11);
    /// Version, property count and values, option flags and row count.
    ImageWriter& Header(uint16_t version, const std::vector<int32_t>& properties, uint32_t flags, int32_t rows);
    const Bytes& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    Bytes bytes_;
};

/// A device as the host keeps it: an archive and the device object pointing at it. The record is
/// released when the device goes.
class TestDevice {
public:
    explicit TestDevice(int mode = COwnerArchive::kLoading) : archive(mode) {}
    /// A device whose archive holds the image, the archive in the given mode at position 0.
    explicit TestDevice(const Bytes& image, int mode = COwnerArchive::kLoading);
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;
    ~TestDevice() { SvrExitDevRun(&object); }

    SDevRecord& Record() { return EnsureRecord(&object); }
    CDevTable& Table() { return *Record().chlTable; }
    /// The stored image: the bytes up to the position while storing (after a save), else the buffer.
    Bytes Image() const;
    /// The archive's whole buffer, including what lies past the image.
    Bytes Buffer() const;

    COwnerArchive archive;
    CDeviceObject object{&archive, nullptr};
};

/// A channel description as the host's channel dialog fills it.
SChlInfo Describe(int regType, int typeIndex, const char16_t* address, int count, int rwFlag = 2);
/// Adds the description to the device; returns what SvrSetChlInfo returns.
int Add(TestDevice& device, SChlInfo info);
/// Removes every row.
void Clear(TestDevice& device);
/// The "通道名称" cells of the table, in table order.
std::vector<std::u16string> Names(const CDevTable& table);
/// Every cell of a row.
RowCells CellsOf(const CDevRow& row);
bool operator==(const RowCells& a, const RowCells& b);
/// Failure messages show texts as UTF-8.
void PrintTo(const CString& text, std::ostream* out);
void PrintTo(const RowCells& row, std::ostream* out);
std::vector<RowCells> CellsOf(const CDevTable& table);
/// The table read back from the device's stored image by a device of its own.
std::vector<RowCells> StoredRows(const TestDevice& device);
