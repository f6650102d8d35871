// The channel table against plain reference versions of its algorithms, on random input: the
// merge (scans from the end, removal of the covered rows, insertion) on sorted tables and on tables
// an image stored unsorted, and removal of many rows at once against one removal at a time.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "platform/parallel.h"
#include "test_device.h"

namespace {

using Key = std::array<uint32_t, 4>;

/// Register type, block, address and bit, compared as unsigned numbers in that order.
Key KeyOf(const CDevRow& row) {
    using namespace ColumnName;
    return {static_cast<uint32_t>(row.GetInt(kRegType)), static_cast<uint32_t>(row.GetInt(kBlock)),
            static_cast<uint32_t>(row.GetInt(kAddress)), static_cast<uint32_t>(row.GetInt(kBit))};
}

/// The merge as written out step by step: p from the first new row, e from the last, both by a
/// scan from the end; rows p to e-1 give way; the new rows go in at p.
int ReferenceMerge(std::vector<CDevRow>& table, const std::vector<CDevRow>& rows, bool merge) {
    if (rows.empty()) return -1;
    const int count = static_cast<int>(table.size());
    if (table.empty() || !merge) {
        table.insert(table.end(), rows.begin(), rows.end());
        return count;
    }
    int p = 0;
    for (int i = count - 1; i >= 0; --i) {
        if (KeyOf(rows.front()) > KeyOf(table[i])) {
            p = i + 1;
            break;
        }
    }
    int e = 0;
    for (int j = count - 1; j >= 0; --j) {
        if (KeyOf(rows.back()) >= KeyOf(table[j])) {
            e = j + 1;
            break;
        }
    }
    if (e > p) table.erase(table.begin() + p, table.begin() + e);
    table.insert(table.begin() + p, rows.begin(), rows.end());
    return p;
}

/// A random channel description: any register type, data type and read/write flag, addresses in a
/// narrow range so that blocks overlap, now and then far out or negative, and strings with lengths.
SChlInfo RandomDescription(std::mt19937& rng) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const int regType = pick(0, 3);
    int address = pick(0, 60);
    if (pick(0, 30) == 0) address = pick(0, 1) ? 2147483000 : -pick(1, 9);
    CString text = regType == 3 && pick(0, 5) > 0 ? CString::Formatted(u"%d.%d", pick(-1, 3), address)
                                                  : CString::Formatted(u"%d", address);
    if (pick(0, 3) == 0) text += CString::Formatted(u"_%d", pick(0, 300));
    SChlInfo info = Describe(regType, pick(0, 19), text.GetString(), pick(0, 8) == 0 ? pick(41, 300) : pick(1, 40), pick(0, 2));
    if (pick(0, 2) == 0) info.paramValues.Add(CString::Formatted(u"%d", pick(0, 250)));
    return info;
}

std::vector<CDevRow> RandomBlock(std::mt19937& rng) {
    std::vector<CDevRow> rows;
    SChlInfo info = RandomDescription(rng);
    EXPECT_EQ(BuildRows(info, rows), 1);
    return rows;
}

/// Merges random blocks into the table and into a plain copy; after each they must agree.
void MergeAlongsideReference(CDevTable& table, std::mt19937& rng, int blocks) {
    std::vector<CDevRow> reference = table.Rows();
    for (int b = 0; b < blocks; ++b) {
        const std::vector<CDevRow> rows = RandomBlock(rng);
        const bool merge = std::uniform_int_distribution<int>(0, 19)(rng) != 0;
        const int expected = ReferenceMerge(reference, rows, merge);
        ASSERT_EQ(table.MergeRows(rows, merge), expected) << "block " << b;
        ASSERT_EQ(table.GetRowCount(), static_cast<int>(reference.size())) << "block " << b;
        ASSERT_EQ(table.GetCountField(), table.GetRowCount());
        for (size_t i = 0; i < reference.size(); ++i)
            ASSERT_EQ(CellsOf(table.Rows()[i]), CellsOf(reference[i])) << "block " << b << ", row " << i;
    }
}

CDevRow NamedRow(int number) {
    CDevRow row;
    row.SetInt(ColumnName::kAddress, number);
    row.SetText(ColumnName::kChannelName, CString::Formatted(u"r%d", number));
    return row;
}

}  // namespace

TEST(DevTableTest, MergeOfRandomBlocksEqualsTheReferenceMerge) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        CDevTable table;
        MergeAlongsideReference(table, rng, 120);
    }
}

TEST(DevTableTest, MergeIntoATableStoredUnsortedEqualsTheReferenceMerge) {
    for (unsigned seed = 100; seed < 110; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        // Blocks appended in random order, stored, and loaded by a device of its own.
        SDevRecord record;
        record.chlTable = std::make_unique<CDevTable>();
        for (int b = 0; b < 15; ++b) record.chlTable->MergeRows(RandomBlock(rng), false);
        COwnerArchive archive(COwnerArchive::kLoading);
        SaveRecord(record, archive);
        TestDevice device(Bytes(archive.GetBuffer().begin(), archive.GetBuffer().begin() + archive.GetPosition()));
        CDevTable& loaded = device.Table();
        ASSERT_EQ(CellsOf(loaded), CellsOf(*record.chlTable));
        ASSERT_FALSE(RowsAreSorted(loaded.Rows()));
        MergeAlongsideReference(loaded, rng, 60);
    }
}

TEST(DevTableTest, MergeOfNothingChangesNothing) {
    CDevTable table;
    EXPECT_EQ(table.MergeRows({}, true), -1);
    table.MergeRows({NamedRow(5)}, true);
    EXPECT_EQ(table.MergeRows({}, false), -1);
    EXPECT_EQ(table.GetRowCount(), 1);
    EXPECT_THROW(table.GetRow(1), CInvalidArgException);
    EXPECT_THROW(table.GetRow(-1), CInvalidArgException);
}

TEST(DevTableTest, RemovingManyRowsAtOnceEqualsRemovingOneAtATime) {
    std::mt19937 rng(4);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = std::uniform_int_distribution<int>(0, 40)(rng);
        CDevTable table;
        std::vector<CDevRow> rows;
        for (int i = 0; i < n; ++i) rows.push_back(NamedRow(i));
        table.MergeRows(rows, false);
        std::vector<int> indices(std::uniform_int_distribution<size_t>(0, n + 6)(rng));
        for (int& index : indices) index = std::uniform_int_distribution<int>(-3, n + 3)(rng);
        std::sort(indices.begin(), indices.end());

        CDevTable naive = table;
        for (auto it = indices.rbegin(); it != indices.rend(); ++it)
            if (*it >= 0 && *it < naive.GetRowCount()) naive.RemoveRow(*it);
        table.RemoveRowsAt(indices);
        ASSERT_EQ(Names(table), Names(naive)) << "trial " << trial;
        ASSERT_EQ(table.GetCountField(), naive.GetRowCount());
    }
}

TEST(DevTableTest, RowsKeepEveryCellTheRegistryDefinesAndRefuseMore) {
    CDevRow row;
    row.SetText(kColComment, u"Kommentar");
    row.SetText(kColBlock, u"aside");  // a text on an integer column is kept aside
    row.SetInt(kColMaxBlockRead, -7);
    row.SetInt(kColChannelName, 42);  // and an integer on a text column
    const CDevRow copy = row;
    EXPECT_EQ(copy.GetText(kColComment), u"Kommentar");
    EXPECT_EQ(copy.GetText(kColBlock), u"aside");
    EXPECT_EQ(copy.GetInt(kColMaxBlockRead), -7);
    EXPECT_EQ(copy.GetInt(kColChannelName), 42);
    EXPECT_EQ(copy.GetText(kColChannelName), u"");
    EXPECT_EQ(copy.GetInt(kColBlock), 0);
    EXPECT_THROW(row.GetInt(kChannelColumnCount), CInvalidArgException);

    // A definition larger than a row holds is refused, and the channel columns stay.
    std::vector<SColumnDef> tooMany(kMaxRowInts + 1, SColumnDef{u"x", kIntegerColumn, false});
    for (size_t i = 0; i < tooMany.size(); ++i) tooMany[i].name = CString::Formatted(u"c%d", static_cast<int>(i));
    EXPECT_THROW(CColumnRegistry::Instance().Define(tooMany), CInvalidArgException);
    std::vector<SColumnDef> tooManyTexts(kMaxRowTexts + 1, SColumnDef{u"t", kTextColumn, false});
    for (size_t i = 0; i < tooManyTexts.size(); ++i) tooManyTexts[i].name = CString::Formatted(u"t%d", static_cast<int>(i));
    EXPECT_THROW(CColumnRegistry::Instance().Define(tooManyTexts), CInvalidArgException);
    EXPECT_EQ(CColumnRegistry::Instance().GetCount(), kChannelColumnCount);
    EXPECT_EQ(CDevRow().GetText(kColVarName), u"");
}

TEST(DevTableTest, CellsOfEachKindKeepTheirOwnPlacesWhateverTheColumnOrder) {
    // A text column first and the key last: integer cells are found by their place among the
    // integer columns, not by the column's index, and so are they stored and compared.
    CColumnRegistry::Instance().Define({{u"t", kTextColumn, false}, {u"a", kIntegerColumn, false}, {u"k", kIntegerColumn, true}});
    CDevRow low, high;
    for (CDevRow* row : {&low, &high}) {
        row->SetText(0, u"text");
        row->SetInt(1, -5);
    }
    low.SetInt(2, 1);
    high.SetInt(2, 2);
    EXPECT_LT(low, high);
    COwnerArchive archive(COwnerArchive::kStoring);
    archive.Store(high);
    CDevRow loaded;
    archive.Load(loaded);
    const std::array<int32_t, 2> ints{loaded.GetInt(1), loaded.GetInt(2)};
    const CString text = loaded.GetText(0);
    DefineChannelColumns();
    EXPECT_EQ(ints, (std::array<int32_t, 2>{-5, 2}));
    EXPECT_EQ(text, u"text");
}

TEST(DevTableTest, ALargeTableStoredInPartsGivesTheBytesStoredInOrder) {
    // 210,000 rows in blocks of 5000, with texts that need a conversion, repeated and changing:
    // with two parts they are stored in five rounds, four of them side by side.
    CDevTable table;
    for (int block = 0; block < 42; ++block) {
        SChlInfo info;
        info.regType = 3;
        info.typeIndex = 11;
        info.address = CString::Formatted(u"%d.0", block + 1);
        info.chlCount = 5000;
        info.rwFlag = 2;
        info.varName = CString::Formatted(u"Line%d.Motor", block);
        info.comment = block % 3 == 0 ? CString(u"液位 °C") : CString::Formatted(u"工位 %d", block);
        std::vector<CDevRow> rows;
        ASSERT_EQ(BuildRows(info, rows), 1);
        table.MergeRows(std::move(rows), true);
    }
    auto stored = [&](int parts) {
        SetMaxParallelParts(parts);
        COwnerArchive archive(COwnerArchive::kStoring);
        archive.Store(table);
        SetMaxParallelParts(0);
        return std::vector<uint8_t>(archive.GetBuffer().begin(), archive.GetBuffer().begin() + archive.GetPosition());
    };
    const std::vector<uint8_t> inOrder = stored(1);
    EXPECT_GT(inOrder.size(), 210000u * 60);
    EXPECT_EQ(stored(2), inOrder);
    EXPECT_EQ(stored(3), inOrder);
    COwnerArchive reading(COwnerArchive::kStoring);
    reading.GetBuffer().Items().assign(inOrder.begin(), inOrder.end());
    CDevTable loaded;
    reading.Load(loaded);
    EXPECT_EQ(loaded.GetRowCount(), 210000);
}
