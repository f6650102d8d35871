// The device record in the host's archive: the image a new device stores, saving and loading,
// older and newer image versions, damaged images, and reading the record again after release.
#include <gtest/gtest.h>

#include <random>

#include "core/column_registry.h"
#include "test_device.h"

namespace {

const std::vector<int32_t> kDefaultProperties = {200, 10, 0, 1, 0, 0};

std::vector<std::u16string> PropertyValues(TestDevice& device) {
    CStringArray names, values;
    CByteArray enumerated;
    SvrGetProperty(&device.object, names, values, enumerated);
    std::vector<std::u16string> texts;
    for (const CString& value : values) texts.push_back(value.str());
    return texts;
}

/// Saves nothing new: an empty property list only makes the record write itself again.
void SaveAgain(TestDevice& device) {
    CStringArray none;
    SvrSetProperty(&device.object, none, none);
}

RowCells BitRow(int bit) {
    std::u16string name = u"I读写000.";
    name += static_cast<char16_t>(u'0' + bit);
    return {2, 0, 0, 0, bit, bit, 0, 0, name, u"", u""};
}

std::u16string RandomText(std::mt19937& rng) {
    static const std::u16string pool = u"abcXYZ019 .:_-[]读写只通道名称连接变量注释块号é";
    std::u16string text;
    const int length = std::uniform_int_distribution<int>(0, 12)(rng);
    for (int i = 0; i < length; ++i) text += pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(rng)];
    return text;
}

CDevRow ToRow(const RowCells& cells) {
    using namespace ColumnName;
    CDevRow row;
    row.SetInt(kRwFlag, cells.rwFlag);
    row.SetInt(kRegType, cells.regType);
    row.SetInt(kBlock, cells.block);
    row.SetInt(kAddress, cells.address);
    row.SetInt(kBit, cells.bit);
    row.SetInt(kTypeCode, cells.typeCode);
    row.SetInt(kFastRead, cells.fastRead);
    row.SetInt(kMaxBlockRead, cells.maxBlockRead);
    row.SetText(kChannelName, cells.name);
    row.SetText(kVarName, cells.varName);
    row.SetText(kComment, cells.comment);
    return row;
}

RowCells RandomRow(std::mt19937& rng) {
    auto any = [&] { return static_cast<int32_t>(rng()); };
    return {any(), any(), any(), any(), any(), any(), any(), any(), RandomText(rng), RandomText(rng), RandomText(rng)};
}

}  // namespace

TEST(DeviceRecordTest, NewDeviceStoresTheDefaultImageByteForByte) {
    for (int mode : {COwnerArchive::kLoading, COwnerArchive::kStoring}) {
        TestDevice device(mode);
        EXPECT_EQ(PropertyValues(device), (std::vector<std::u16string>{u"200", u"10", u"0", u"1", u"0 - ASCII", u"0 - 21"}));

        ImageWriter expected;
        expected.U16(20001).I32(6);
        for (int32_t value : kDefaultProperties) expected.I32(value);
        expected.I32(0).I32(8);
        for (int bit = 0; bit < 8; ++bit) {
            for (int32_t cell : {2, 0, 0, 0, bit, bit, 0, 0}) expected.I32(cell);
            // I读写000.<bit> in code page 936; the variable name and the comment are empty.
            expected.RawText(std::string("I\xB6\xC1\xD0\xB4" "000.") + static_cast<char>('0' + bit)).RawText("").RawText("");
        }
        ASSERT_EQ(expected.size(), 470u);
        EXPECT_EQ(device.Image(), expected.bytes());
        EXPECT_TRUE(device.archive.IsStoring());
        EXPECT_EQ(device.archive.GetBufferSize(), 16534);  // one growth step holds the whole image
        EXPECT_EQ(device.Table().GetCountField(), 8);
    }
}

TEST(DeviceRecordTest, SavedRecordLoadsBackEqual) {
    std::mt19937 rng(20001);
    for (int trial = 0; trial < 30; ++trial) {
        SDevRecord record;
        record.chlTable = std::make_unique<CDevTable>();
        record.propValues.SetSize(std::uniform_int_distribution<int>(0, 9)(rng));
        for (int32_t& value : record.propValues) value = static_cast<int32_t>(rng());
        record.optionFlags = rng();
        std::vector<RowCells> rows(std::uniform_int_distribution<size_t>(0, 40)(rng));
        std::vector<CDevRow> tableRows;
        for (RowCells& row : rows) {
            row = RandomRow(rng);
            tableRows.push_back(ToRow(row));
        }
        record.chlTable->MergeRows(tableRows, false);  // kept in the given order, sorted or not

        COwnerArchive archive(COwnerArchive::kLoading);
        SaveRecord(record, archive);
        const Bytes image(archive.GetBuffer().begin(), archive.GetBuffer().begin() + archive.GetPosition());
        TestDevice reader(image);
        const SDevRecord& loaded = reader.Record();
        ASSERT_EQ(loaded.propValues.GetSize(), record.propValues.GetSize());
        for (int i = 0; i < loaded.propValues.GetSize(); ++i) EXPECT_EQ(loaded.propValues[i], record.propValues[i]);
        EXPECT_EQ(loaded.optionFlags, record.optionFlags);
        EXPECT_EQ(loaded.hostVersion, -1.0);
        EXPECT_EQ(CellsOf(*loaded.chlTable), rows);
        // Written again, the loaded record gives the same bytes.
        SaveAgain(reader);
        EXPECT_EQ(reader.Image(), image);
    }
}

TEST(DeviceRecordTest, ImagesBeforeVersion20001LoadAndAreSavedAs20001) {
    const RowCells bit{2, 0, 0, 0, 3, 3, 0, 0, u"I读写000.3", u"", u""};
    const RowCells text{0, 3, 1, 4, 20, 131, 0, 0, u"DB1:只读STR004_20", u"", u""};
    const std::vector<int32_t> properties = {150, 5, 0, 2, 1, 0};
    // Version 0 stands for an image without version: it starts with the property count.
    for (uint16_t version : {uint16_t{0}, uint16_t{20000}}) {
        ImageWriter old;
        old.Header(version, properties, 3, 2).Row(bit, 9).Row(text, 9);
        TestDevice device(old.bytes());
        EXPECT_EQ(PropertyValues(device), (std::vector<std::u16string>{u"150", u"5", u"0", u"2", u"1 - UNICODE", u"0 - 21"}));
        EXPECT_EQ(CellsOf(device.Table()), (std::vector<RowCells>{bit, text}));
        EXPECT_EQ(device.Record().optionFlags, 3u);

        SaveAgain(device);
        ImageWriter current;
        current.Header(20001, properties, 3, 2).Row(bit).Row(text);
        EXPECT_EQ(device.Image(), current.bytes()) << version;
    }
}

TEST(DeviceRecordTest, ImageOfANewerVersionIsNeitherReadNorOverwrittenUntilASave) {
    ImageWriter newer;
    newer.Header(20002, {1, 2, 3, 4, 1, 1}, 0, 1).Row(BitRow(0)).I32(0x7777);
    TestDevice device(newer.bytes());
    for (int use = 0; use < 2; ++use) {
        EXPECT_EQ(PropertyValues(device), (std::vector<std::u16string>{u"200", u"10", u"0", u"1", u"0 - ASCII", u"0 - 21"}));
        EXPECT_EQ(device.Table().GetRowCount(), 0);
        CStringArray names;
        CArray<int32_t> kinds, indices;
        CArray<SChlInfo> infos;
        SvrGetChannel(&device.object, names, kinds);
        EXPECT_EQ(names.GetSize(), 0);
        EXPECT_EQ(SvrGetChlInfo(&device.object, indices, infos), 0);
        EXPECT_EQ(SvrDeleteChlInfo(&device.object, indices), 1);  // an empty table: nothing to save
        EXPECT_EQ(device.Buffer(), newer.bytes());
        SvrExitDevRun(&device.object);
    }
    SaveAgain(device);
    EXPECT_EQ(device.Image(), ImageWriter().Header(20001, kDefaultProperties, 0, 0).bytes());
}

/// The message of the invalid-argument exception that loading the image raises; empty when it loads.
std::string RefusalOf(const Bytes& image) {
    TestDevice device(image);
    try {
        device.Record();
    } catch (const CInvalidArgException& e) {
        EXPECT_EQ(device.object.record, nullptr);
        return e.what();
    }
    return {};
}

TEST(DeviceRecordTest, ImagesThatAnnounceMoreThanTheyHoldAreRefusedWithWhatIsWrong) {
    ImageWriter whole;
    whole.Header(20001, kDefaultProperties, 1, 2).Row(BitRow(1)).Row(BitRow(2));
    EXPECT_EQ(RefusalOf(whole.bytes()), "");
    for (size_t length = 1; length < whole.size(); ++length)
        EXPECT_NE(RefusalOf(Bytes(whole.bytes().begin(), whole.bytes().begin() + length)), "") << length;

    EXPECT_EQ(RefusalOf(ImageWriter().U16(20001).I32(0x7FFFFFFF).bytes()),
              "damaged stored image: the property count 2147483647 needs at least 8589934588 bytes; 0 remain (at byte 2)");
    EXPECT_EQ(RefusalOf(ImageWriter().U16(20001).I32(-1).bytes()), "damaged stored image: negative property count -1 (at byte 2)");
    EXPECT_EQ(RefusalOf(ImageWriter().Header(20001, kDefaultProperties, 0, -5).bytes()),
              "damaged stored image: negative row count -5 (at byte 34)");
    EXPECT_EQ(RefusalOf(ImageWriter().Header(20001, kDefaultProperties, 0, 0x7FFFFFFF).Row(BitRow(1)).bytes()),
              "damaged stored image: the row count 2147483647 needs at least 94489280468 bytes; 54 remain (at byte 34)");
    // A text length past the end, in a row of an image without version (9 cells).
    ImageWriter oldRow;
    oldRow.Header(20000, kDefaultProperties, 0, 1);
    for (int cell = 0; cell < 8; ++cell) oldRow.I32(cell);
    oldRow.I32(100).U16(0x6261);
    EXPECT_EQ(RefusalOf(oldRow.bytes()), "damaged stored image: the text length of a channel row 100 needs at least 100 bytes; 2 remain (at byte 70)");
    // Bytes after the last row are not part of the record and do not count against it.
    Bytes longer = whole.bytes();
    longer.resize(longer.size() + 100, 0);
    EXPECT_EQ(RefusalOf(longer), "");
}

TEST(DeviceRecordTest, ReleasedRecordIsReadAgainFromTheArchive) {
    TestDevice device;
    CStringArray names, values;
    CByteArray enumerated;
    SvrGetProperty(&device.object, names, values, enumerated);
    values[2] = u"5";
    SvrSetProperty(&device.object, names, values);
    Add(device, Describe(2, 11, u"10", 3));
    const std::vector<RowCells> before = CellsOf(device.Table());
    SvrExitDevRun(&device.object);
    EXPECT_EQ(device.object.record, nullptr);
    EXPECT_EQ(PropertyValues(device)[2], u"5");
    EXPECT_EQ(CellsOf(device.Table()), before);

    // Used for reading only, released and used again: the image must be read again, whatever the
    // direction the host left the archive in.
    const Bytes image = device.Image();
    for (int mode : {COwnerArchive::kLoading, COwnerArchive::kStoring}) {
        TestDevice reader(image, mode);
        reader.Record();
        for (int use = 0; use < 3; ++use) {
            SvrExitDevRun(&reader.object);
            EXPECT_EQ(PropertyValues(reader)[2], u"5");
            EXPECT_EQ(CellsOf(reader.Table()), before);
        }
        EXPECT_EQ(reader.Buffer(), image);
    }
}
