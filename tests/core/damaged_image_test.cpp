// Damaged stored images: a 1000-row image cut at every length and hit by random byte flips loads
// without fault or hang. The invalid-argument exception comes exactly when a property count or
// row count, where the loader finds it, is negative; whatever loads saves as an image that loads
// back the same.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <random>

#include "test_device.h"

namespace {

constexpr int kRows = 1000;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
/// The sanitizers slow loading down about eightfold: there every third length is cut. Three is
/// prime to the four bytes of the number fields, so cuts still fall at every byte of them.
constexpr size_t kTruncationStep = 3;
#else
constexpr size_t kTruncationStep = 1;
#endif

constexpr size_t kHeaderBytes = 2 + 4 + 24 + 4 + 4;  // version, property count and values, flags, row count

/// A 1000-row image of every register type; every tenth row also has a variable name and a
/// comment. rowEnds receives the offset behind each row.
Bytes ThousandRowImage(std::vector<size_t>& rowEnds) {
    ImageWriter image;
    image.Header(20001, {200, 10, 0, 1, 1, 0}, 3, kRows);
    for (int i = 0; i < kRows; ++i) {
        RowCells row{i % 3, i % 4, i % 4 == 3 ? 1 + i % 7 : 0, i, i % 8, 80 + i % 11, 0, 0, u"DB读写", u"", u""};
        row.name += static_cast<char16_t>(u'0' + i % 10);
        if (i % 10 == 0) {
            row.varName = u"Tank.Level";
            row.comment = u"注释";
        }
        image.Row(row);
        rowEnds.push_back(image.size());
    }
    return image.bytes();
}

std::optional<int32_t> Int32At(const Bytes& image, size_t offset) {
    if (offset + 4 > image.size()) return std::nullopt;
    int32_t value;
    std::memcpy(&value, image.data() + offset, 4);
    return value;
}

/// Whether loading the image must raise the invalid-argument exception: a negative property count,
/// or a negative row count found behind the properties and option flags it announces. Reads past
/// the end read nothing, so a field that does not fit counts as 0.
bool HasNegativeCount(const Bytes& image) {
    const uint16_t version = image.size() < 2 ? 0 : static_cast<uint16_t>(image[0] | image[1] << 8);
    if (version > 20001) return false;  // not read at all
    const size_t start = version >= 20000 ? 2 : 0;
    const int32_t properties = Int32At(image, start).value_or(0);
    if (properties < 0) return true;
    const size_t rowCountAt = start + 4 + 4 * static_cast<size_t>(properties) + 4;
    return Int32At(image, rowCountAt).value_or(0) < 0;
}

/// Loads the image as a device would; true when the record was read, false when the load raised
/// the invalid-argument exception. Anything else thrown fails the test.
bool Loads(TestDevice& device) {
    try {
        device.Record();
        return true;
    } catch (const CInvalidArgException&) {
        return false;
    }
}

/// What the device stores after loading, and what a fresh device loading that stores again.
void ExpectSavedImageLoadsBackTheSame(TestDevice& device) {
    SaveRecord(device.Record(), device.archive);
    const Bytes saved = device.Image();
    TestDevice again(saved);
    SaveRecord(again.Record(), again.archive);
    ASSERT_EQ(again.Image(), saved);
}

}  // namespace

TEST(DamagedImageTest, EveryTruncationLoadsTheRowsItStillHolds) {
    std::vector<size_t> rowEnds;
    const Bytes full = ThousandRowImage(rowEnds);
    TestDevice whole(full);
    const std::vector<RowCells> rows = CellsOf(whole.Table());
    ASSERT_EQ(rows.size(), static_cast<size_t>(kRows));

    size_t complete = 0;  // rows wholly inside the cut
    // Length 0 is no image at all: a new device, with its defaults (tested with the device record).
    for (size_t length = 1; length < full.size(); length += kTruncationStep) {
        while (complete < rowEnds.size() && rowEnds[complete] <= length) ++complete;
        TestDevice device(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
        ASSERT_TRUE(Loads(device)) << length;
        const CDevTable& table = device.Table();
        // Rows wholly inside the cut load as they were. The count still announces 1000 rows, but
        // only as many are made as the rest could hold at 44 bytes a row, and 16 more.
        const size_t rest = length < kHeaderBytes ? 0 : length - kHeaderBytes;
        ASSERT_GE(table.GetRowCount(), static_cast<int>(complete)) << length;
        ASSERT_LE(table.GetRowCount(), static_cast<int>(rest / 44 + 16)) << length;
        if (complete > 0) {
            ASSERT_EQ(CellsOf(table.GetRow(static_cast<int>(complete) - 1)), rows[complete - 1]) << length;
        }
        if (length % 997 < kTruncationStep) ExpectSavedImageLoadsBackTheSame(device);
    }
}

TEST(DamagedImageTest, RandomByteFlipsNeverCrashAndRaiseOnlyForNegativeCounts) {
    std::vector<size_t> rowEnds;
    const Bytes full = ThousandRowImage(rowEnds);
    std::mt19937 rng(20001);
    std::uniform_int_distribution<size_t> anyOffset(0, full.size() - 1);
    // Most flips land in rows; the header is hit on purpose too, where the counts live.
    std::uniform_int_distribution<size_t> headerOffset(0, 37);
    int raised = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int attempt = 0; attempt < 10000; ++attempt) {
        Bytes damaged = full;
        const int flips = 1 + attempt % 4;
        for (int f = 0; f < flips; ++f) {
            const size_t at = attempt % 8 == 0 ? headerOffset(rng) : anyOffset(rng);
            damaged[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
        }
        TestDevice device(damaged);
        const bool loaded = Loads(device);
        ASSERT_EQ(loaded, !HasNegativeCount(damaged)) << "attempt " << attempt;
        if (!loaded) {
            ++raised;
            continue;
        }
        // A count made larger yields at most as many rows as the bytes could hold, plus a few.
        ASSERT_LE(device.Table().GetRowCount(), static_cast<int>(full.size() / 36) + 16) << "attempt " << attempt;
        if (attempt % 50 == 0) ExpectSavedImageLoadsBackTheSame(device);
    }
    EXPECT_GT(raised, 0);  // the header flips did reach the counts' sign bits
    // A hang would show as minutes; the loads themselves take well under a millisecond each.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::minutes(2));
}
