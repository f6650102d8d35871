// How the channel table's work grows with its size. The table grows to 200,000 rows in blocks of
// 5000 data block words added through SvrSetChlInfo, half of them landing in the middle of the
// table. At 10,000, 50,000, 100,000 and 200,000 rows it times, per call: adding 5000 new rows in the
// middle and deleting them again, adding 5000 rows that replace rows with the same keys (each add
// and delete stores the whole image, as the driver must), SaveRecord, LoadRecord, and SvrGetChlInfo
// of every row. Each time is also given as a ratio against copying the table's rows, measured at
// the same size in the same run; a ratio that stays level (or falls) from the smallest size to the
// largest means the work grows no faster than linearly with the table. Times are the processor
// time of this thread, so that other programs on a shared machine count as little as they can.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/column_registry.h"
#include "core/dev_record.h"
#include "core/exports.h"
#include "platform/ui_language.h"
#include "bench_timing.h"

namespace {

constexpr int kBlockRows = 5000;
constexpr int kRepeats = 5;
const int kSizes[] = {10000, 50000, 100000, 200000};


/// A device as the host keeps it: its archive and the device object pointing at it.
struct Device {
    Device() = default;
    explicit Device(const std::vector<uint8_t>& image) {
        archive.GetBuffer().SetSize(static_cast<int>(image.size()));
        std::copy(image.begin(), image.end(), archive.GetBuffer().begin());
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    ~Device() { SvrExitDevRun(&object); }

    COwnerArchive archive{COwnerArchive::kLoading};
    CDeviceObject object{&archive, nullptr};
};

/// 5000 words of data block `block` from byte `address`, with a variable name and a comment.
SChlInfo WordBlock(int block, int address) {
    SChlInfo info;
    info.regType = 3;
    info.typeIndex = 11;
    info.address = CString::Formatted(u"%d.%d", block, address);
    info.chlCount = kBlockRows;
    info.rwFlag = 2;
    info.varName = u"Tank.Level";
    info.comment = u"液位";
    return info;
}

void Add(Device& device, SChlInfo info) {
    if (SvrSetChlInfo(&device.object, info) == 0) std::fprintf(stderr, "SvrSetChlInfo refused a block\n");
}

std::vector<uint8_t> ImageOf(const COwnerArchive& archive) {
    const CByteArray& buffer = archive.GetBuffer();
    return std::vector<uint8_t>(buffer.begin(), buffer.begin() + archive.GetPosition());
}

struct Figure {
    std::string name;
    std::map<int, double> seconds;  // by table size
};

/// Times every operation at the device's current size.
void Measure(Device& device, int size, std::vector<Figure>& figures) {
    CDevTable& table = *EnsureRecord(&device.object).chlTable;
    SDevRecord& record = *device.object.record;
    int at = 0;
    auto put = [&](const char* name, double seconds) {
        if (figures.size() <= static_cast<size_t>(at)) figures.push_back({name, {}});
        figures[at++].seconds[size] = seconds;
    };

    put("baseline: copy the rows", BestOf(nullptr, [&] {
        std::vector<CDevRow> copy = table.Rows();
        if (copy.size() != static_cast<size_t>(size)) std::fprintf(stderr, "unexpected size\n");
    }));

    // Block 2 lies between blocks 1 and 3: its rows go into the middle of the table.
    const int firstOfBlock2 = static_cast<int>(std::count_if(table.Rows().begin(), table.Rows().end(), [](const CDevRow& row) {
        return row.GetInt(ColumnName::kBlock) < 2;
    }));
    CArray<int32_t> block2Rows;
    for (int i = 0; i < kBlockRows; ++i) block2Rows.Add(firstOfBlock2 + i);
    double insert = 1e300, remove = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        insert = std::min(insert, TimeOf([&] { Add(device, WordBlock(2, 0)); }));
        CArray<int32_t> indices = block2Rows;
        remove = std::min(remove, TimeOf([&] { SvrDeleteChlInfo(&device.object, indices); }));
    }
    put("SvrSetChlInfo: 5000 new rows in the middle", insert);
    put("SvrDeleteChlInfo: those 5000 rows", remove);
    put("SvrSetChlInfo: 5000 rows replacing theirs", BestOf(nullptr, [&] { Add(device, WordBlock(1, 0)); }));
    put("SaveRecord", BestOf(nullptr, [&] { SaveRecord(record, device.archive); }));

    const std::vector<uint8_t> image = ImageOf(device.archive);
    std::unique_ptr<Device> reader;
    put("LoadRecord (a new device's first use)",
        BestOf([&] { reader = std::make_unique<Device>(image); }, [&] { EnsureRecord(&reader->object); }));
    reader.reset();

    put("SvrGetChlInfo: every row", BestOf(nullptr, [&] {
        CArray<int32_t> indices;
        CArray<SChlInfo> infos;
        SvrGetChlInfo(&device.object, indices, infos);
    }));
    std::printf("  %7d rows: image %zu bytes\n", size, image.size());
}

void Print(const std::vector<Figure>& figures) {
    const Figure& baseline = figures.front();
    std::printf("\n%-46s", "per call: ms, and x the baseline at that size");
    for (int size : kSizes) std::printf("  %16d", size);
    std::printf("  %s\n", "ratio growth");
    for (const Figure& figure : figures) {
        std::printf("%-46s", figure.name.c_str());
        for (int size : kSizes) {
            const double ms = figure.seconds.at(size) * 1e3;
            std::printf("  %7.2f x%7.2f", ms, figure.seconds.at(size) / baseline.seconds.at(size));
        }
        const int first = kSizes[0], last = kSizes[std::size(kSizes) - 1];
        const double growth = (figure.seconds.at(last) / baseline.seconds.at(last)) /
                              (figure.seconds.at(first) / baseline.seconds.at(first));
        std::printf("  %6.2f\n", growth);
    }
    std::printf("\nratio growth: the ratio at %d rows over the ratio at %d rows; about 1 or below is linear\n"
                "per call (the 5000-row adds carry a fixed part, so theirs falls), well above 1 is not.\n",
                kSizes[std::size(kSizes) - 1], kSizes[0]);
}

}  // namespace

int main() {
    SetThreadUILanguageOverride(kLangChineseSimplified);
    DefineChannelColumns();

    Device device;
    CArray<int32_t> all;
    SvrDeleteChlInfo(&device.object, all);  // no default channels

    std::printf("channel table: blocks of %d data block words, best of %d\n", kBlockRows, kRepeats);
    std::vector<Figure> figures;
    int nextBlock1 = 0, nextBlock3 = 0, rows = 0;
    double growing = 0;
    for (int size : kSizes) {
        while (rows < size) {
            // Alternately behind the last row and in the middle (behind block 1, before block 3).
            const bool middle = (rows / kBlockRows) % 2 == 1;
            int& next = middle ? nextBlock1 : nextBlock3;
            growing += TimeOf([&] { Add(device, WordBlock(middle ? 1 : 3, next)); });
            next += 2 * kBlockRows;
            rows += kBlockRows;
        }
        Measure(device, size, figures);
    }
    Print(figures);
    std::printf("\ngrowing to %d rows in %d calls of SvrSetChlInfo: %.2f s\n", rows, rows / kBlockRows, growing);
    return 0;
}
