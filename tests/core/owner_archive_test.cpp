// The archive: growth of its buffer, switching direction (cutting, writing and consuming the
// format version), and the encoding of each value kind.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <tuple>

#include "core/owner_archive.h"
#include "platform/code_page.h"
#include "test_device.h"

namespace {

Bytes BufferOf(const COwnerArchive& archive) { return Bytes(archive.GetBuffer().begin(), archive.GetBuffer().end()); }

void SetBuffer(COwnerArchive& archive, const Bytes& bytes) {
    archive.GetBuffer().SetSize(static_cast<int>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), archive.GetBuffer().begin());
}

}  // namespace

TEST(OwnerArchiveTest, WritePastTheEndGrowsByTheStepOf16534Bytes) {
    COwnerArchive archive(COwnerArchive::kStoring);
    archive.GetBuffer().SetSize(10);
    const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(archive.Write(eight, 8));
    EXPECT_EQ(archive.GetBufferSize(), 10);
    archive << int32_t{-2};
    EXPECT_EQ(archive.GetBufferSize(), 16544);
    EXPECT_EQ(archive.GetPosition(), 12);
    const Bytes buffer = BufferOf(archive);
    EXPECT_EQ(Bytes(buffer.begin() + 8, buffer.begin() + 12), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(buffer.back(), 0);

    // A single write larger than the step grows to exactly its end.
    std::vector<uint8_t> big(40000, 0xAB);
    archive.Write(big.data(), static_cast<int>(big.size()));
    EXPECT_EQ(archive.GetBufferSize(), 40012);
}

TEST(OwnerArchiveTest, RoomReservedForAnImageIsFilledWithoutReallocating) {
    // A large image is written into room reserved for its exact size: the growth step must not
    // carry the buffer past it, which would copy the image into a buffer twice its size.
    COwnerArchive archive(COwnerArchive::kStoring);
    const int reserved = 3 * COwnerArchive::kGrowthStep + 10;
    archive.GetBuffer().Reserve(reserved);
    const uint8_t* room = archive.GetBuffer().GetData();
    for (int i = 0; i < reserved / 2; ++i) archive << uint16_t{0x0102};
    EXPECT_EQ(archive.GetPosition(), reserved);
    EXPECT_EQ(archive.GetBufferSize(), reserved);
    EXPECT_EQ(archive.GetBuffer().GetData(), room);
    EXPECT_EQ(BufferOf(archive).back(), 0x01);
    // Past the room, the step applies again.
    archive << uint8_t{7};
    EXPECT_EQ(archive.GetBufferSize(), reserved + COwnerArchive::kGrowthStep);
}

TEST(OwnerArchiveTest, SwitchingDirectionCutsTheImageAndHandlesTheVersion) {
    COwnerArchive archive(COwnerArchive::kLoading);
    archive.SetMode(COwnerArchive::kStoring);  // an empty buffer at offset 0: the version first
    EXPECT_EQ(archive.GetPosition(), 2);
    archive << int32_t{7} << uint16_t{0x1234};
    EXPECT_EQ(archive.GetBufferSize(), 16534);

    archive.SetMode(COwnerArchive::kLoading);  // cut to the 8 bytes written, the version consumed
    EXPECT_EQ(BufferOf(archive), (Bytes{0x21, 0x4E, 7, 0, 0, 0, 0x34, 0x12}));
    EXPECT_EQ(archive.GetPosition(), 2);
    EXPECT_EQ(archive.PeekVersion(), 20001);
    int32_t value = 0;
    archive >> value;
    EXPECT_EQ(value, 7);
    // Too few bytes left: nothing is read and the position stays.
    value = 99;
    EXPECT_FALSE(archive.Read(&value, 4));
    EXPECT_EQ(value, 99);
    EXPECT_EQ(archive.GetPosition(), 6);

    // Writing while loading starts a new image at offset 0, cut at the position.
    archive << int32_t{9};
    EXPECT_TRUE(archive.IsStoring());
    EXPECT_EQ(BufferOf(archive), (Bytes{0x21, 0x4E, 9, 0, 0, 0}));
    EXPECT_EQ(archive.GetPosition(), 6);

    // Reading while storing switches back, consuming the version.
    archive >> value;
    EXPECT_FALSE(archive.IsStoring());
    EXPECT_EQ(value, 9);

    // Switching to the same direction away from offset 0 changes nothing.
    archive.SetMode(COwnerArchive::kLoading);
    EXPECT_EQ(archive.GetPosition(), 6);
    EXPECT_EQ(archive.GetBufferSize(), 6);
}

TEST(OwnerArchiveTest, LoadingConsumesOnlyAVersionOf20000OrMore) {
    COwnerArchive versionless(COwnerArchive::kLoading);
    SetBuffer(versionless, {6, 0, 0, 0});
    versionless.SetMode(COwnerArchive::kLoading);
    EXPECT_EQ(versionless.GetPosition(), 0);  // 6 is no version: the data starts at once
    int32_t count = 0;
    versionless >> count;
    EXPECT_EQ(count, 6);

    for (uint16_t version : {uint16_t{20000}, uint16_t{20001}, uint16_t{20002}}) {
        COwnerArchive archive(COwnerArchive::kStoring);
        SetBuffer(archive, {static_cast<uint8_t>(version), static_cast<uint8_t>(version >> 8), 5, 0, 0, 0});
        archive.SetMode(COwnerArchive::kLoading);
        EXPECT_EQ(archive.GetPosition(), 2) << version;
        EXPECT_EQ(archive.GetBufferSize(), 6) << version;  // position 0: nothing cut
        EXPECT_EQ(archive.PeekVersion(), version);
    }

    // An empty buffer, and a buffer of one byte, hold no version.
    COwnerArchive empty(COwnerArchive::kStoring);
    empty.SetMode(COwnerArchive::kLoading);
    EXPECT_EQ(empty.GetPosition(), 0);
    EXPECT_EQ(empty.GetBufferSize(), 0);
    EXPECT_EQ(empty.PeekVersion(), 0);
    COwnerArchive oneByte(COwnerArchive::kLoading);
    SetBuffer(oneByte, {0x21});
    EXPECT_EQ(oneByte.PeekVersion(), 0);
    oneByte.SetMode(COwnerArchive::kLoading);
    EXPECT_EQ(oneByte.GetPosition(), 0);
}

TEST(OwnerArchiveTest, ValueKindsRoundTripLittleEndian) {
    COwnerArchive archive(COwnerArchive::kStoring);
    CByteArray bytes;
    for (uint8_t b = 1; b <= 3; ++b) bytes.Add(b);
    archive << uint8_t{0xAB} << uint16_t{0x0102} << int32_t{-1} << uint32_t{0x01020304} << int64_t{-3} << 7.1011
            << true << false << bytes;
    const Bytes buffer = BufferOf(archive);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 11), (Bytes{0xAB, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(Bytes(buffer.begin() + 27, buffer.begin() + 32), (Bytes{1, 0, 1, 2, 3}));  // flags; the array has no count
    EXPECT_EQ(archive.PeekVersion(), 0xAB | (0x02 << 8));  // peeking moves nothing
    EXPECT_EQ(archive.GetPosition(), 32);

    archive.SetMode(COwnerArchive::kLoading);
    archive.Rewind();  // no version written: read from the first byte
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    int32_t i32 = 0;
    uint32_t u32 = 0;
    int64_t i64 = 0;
    double real = 0;
    bool yes = false, no = true;
    CByteArray two;
    two.SetSize(2);  // a byte array reads as many bytes as it holds
    archive >> u8 >> u16 >> i32 >> u32 >> i64 >> real >> yes >> no >> two;
    EXPECT_EQ(std::make_tuple(u8, u16, i32, u32, i64, real, yes, no), std::make_tuple(0xAB, 0x0102, -1, 0x01020304u, -3, 7.1011, true, false));
    EXPECT_EQ(two[1], 2);
    uint8_t block[92] = {};
    archive.LoadRawBlock(block);  // only one byte left: nothing copied
    EXPECT_EQ(block[0], 0);

    // On load a flag is true only for the byte 1; a missing byte leaves it as it was.
    COwnerArchive flags(COwnerArchive::kLoading);
    SetBuffer(flags, {2, 1});
    bool flag = true;
    flags >> flag;
    EXPECT_FALSE(flag);
    flags >> flag >> flag;
    EXPECT_TRUE(flag);
}

TEST(OwnerArchiveTest, TextsAreCountedBytesInTheAnsiCodePage) {
    COwnerArchive archive(COwnerArchive::kStoring);
    std::u16string chinese;
    for (int i = 0; i < 300; ++i) chinese += (i % 2) ? u'读' : u'通';
    archive << CString(chinese) << CString() << CString(u"a한b");
    const Bytes buffer = BufferOf(archive);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 6), (Bytes{0x58, 0x02, 0, 0, 0xCD, 0xA8}));  // 600, then 通
    EXPECT_EQ(archive.GetPosition(), 604 + 4 + 4 + 3);
    EXPECT_EQ(Bytes(buffer.begin() + 604, buffer.begin() + 615), (Bytes{0, 0, 0, 0, 3, 0, 0, 0, 'a', '?', 'b'}));

    archive.SetMode(COwnerArchive::kLoading);
    archive.Rewind();
    CString first, second = u"kept", third;
    archive >> first >> second >> third;
    EXPECT_EQ(first, CString(chinese));
    EXPECT_EQ(second, u"kept");  // an empty text converts to nothing: the target keeps its value
    EXPECT_EQ(third, u"a?b");
}

TEST(OwnerArchiveTest, TextLoadStopsAtZeroByteAndReadsNothingForAnImpossibleCount) {
    COwnerArchive archive(COwnerArchive::kLoading);
    const std::string gbk = Gbk(u"读写");
    Bytes bytes = {4, 0, 0, 0};
    bytes.insert(bytes.end(), gbk.begin(), gbk.end());
    for (uint8_t b : {5, 0, 0, 0, int{'A'}, int{'B'}, 0, int{'C'}, int{'D'}}) bytes.push_back(b);
    for (uint8_t b : {100, 0, 0, 0, int{'x'}, int{'y'}}) bytes.push_back(b);
    SetBuffer(archive, bytes);
    archive.Rewind();
    CString text = u"old";
    archive >> text;
    EXPECT_EQ(text, u"读写");
    archive >> text;
    EXPECT_EQ(text, u"AB");
    EXPECT_EQ(archive.GetPosition(), 17);
    // The count says 100 but 2 bytes remain: the text keeps its value and nothing more is read.
    archive >> text;
    EXPECT_EQ(text, u"AB");
    EXPECT_EQ(archive.GetPosition(), 21);
    uint16_t rest = 0;
    archive >> rest;
    EXPECT_EQ(rest, 'x' | ('y' << 8));
    // A missing count reads as 0: nothing.
    archive >> text;
    EXPECT_EQ(text, u"AB");
}

TEST(OwnerArchiveTest, TextsAreStoredAndReadAsTheCodePageConversionGivesThem) {
    const CString texts[] = {u"", u"Motor_1", CString(u'x', 256), CString(u'y', 257), u"工位 19", u"Ventil ¥ 3", u"a\u00e9b"};
    COwnerArchive archive(COwnerArchive::kStoring);
    archive.SetMode(COwnerArchive::kStoring);  // a new image: the format version first
    for (const CString& text : texts) archive << text;
    std::string expected = "\x21\x4E";
    for (const CString& text : texts) {
        const std::string bytes = WideCharToMultiByte(CP_ACP, text.view());
        const int32_t count = static_cast<int32_t>(bytes.size());
        expected.append(reinterpret_cast<const char*>(&count), 4);
        expected += bytes;
    }
    ASSERT_EQ(archive.GetPosition(), static_cast<int>(expected.size()));
    EXPECT_EQ(std::string(archive.GetBuffer().begin(), archive.GetBuffer().begin() + archive.GetPosition()), expected);
    // Texts a channel row keeps in one byte per character are written from those bytes, the same.
    COwnerArchive fromBytes(COwnerArchive::kStoring);
    fromBytes.SetMode(COwnerArchive::kStoring);
    for (const CString& text : texts) {
        const std::u16string_view view = text.view();
        if (std::any_of(view.begin(), view.end(), [](char16_t ch) { return ch >= 0x100; })) {
            fromBytes.WriteText(view);
            continue;
        }
        std::string bytes(view.size(), '\0');
        std::transform(view.begin(), view.end(), bytes.begin(), [](char16_t ch) { return static_cast<char>(ch); });
        fromBytes.WriteOneByteText(bytes);
    }
    EXPECT_EQ(std::string(fromBytes.GetBuffer().begin(), fromBytes.GetBuffer().begin() + fromBytes.GetPosition()), expected);

    COwnerArchive loading(COwnerArchive::kLoading);
    loading.GetBuffer().SetSize(static_cast<int>(expected.size()));
    std::copy(expected.begin(), expected.end(), loading.GetBuffer().begin());
    loading.SetMode(COwnerArchive::kLoading);
    for (const CString& text : texts) {
        CString read = u"before";
        loading >> read;
        EXPECT_EQ(read, text.IsEmpty() ? CString(u"before") : CString(MultiByteToWideChar(CP_ACP, WideCharToMultiByte(CP_ACP, text.view()))));
    }
}
