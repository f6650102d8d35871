// The rows as the host's import records keep them: what the channel dialog's descriptions say of a
// row's place and contents, made straight into UTF-8 texts, without the descriptions' other fields
// and without forming channel names that are not read. A plant's half a million rows are recorded
// after every import.
#include <algorithm>
#include <string>
#include <vector>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/dev_record.h"
#include "core/exports.h"
#include "platform/code_page.h"
#include "platform/invalid_arg.h"
#include "platform/parallel.h"

namespace {

/// The fewest rows worth a part of their own when rows are recorded side by side.
constexpr size_t kRowsPerRecordedPart = 4096;

/// Appends text in UTF-8 and returns how many bytes it took.
uint32_t AppendText(std::string& texts, std::u16string_view text) {
    const size_t before = texts.size();
    AppendUtf8(texts, text);
    return static_cast<uint32_t>(texts.size() - before);
}

/// The bytes of a text cell when the row keeps them one each and they are all ASCII: they are then
/// the cell's UTF-8 already, and most cells of an import are so.
bool AsciiCell(const CDevRow& row, int column, std::string_view& bytes) { return row.ReadOneByteText(column, bytes) && IsAscii(bytes); }

/// The texts a part makes a row's record in, reused from row to row: a plant's half a million
/// rows are recorded without a text made for each.
struct SRecordBuffers {
    std::u16string text;
    std::u16string cut;
    std::string asciiCut;
};

/// Appends a text cell in UTF-8 and returns how many bytes it took.
uint32_t AppendCell(std::string& texts, const CDevRow& row, int column, std::u16string& buffer) {
    if (std::string_view bytes; AsciiCell(row, column, bytes)) {
        texts += bytes;
        return static_cast<uint32_t>(bytes.size());
    }
    return AppendText(texts, row.ReadText(column, buffer));
}

/// Appends the variable name the row is described with at rowIndex, and returns how many bytes it took.
uint32_t AppendVarName(std::string& texts, CDevRow& row, int rowIndex, SRecordBuffers& buffers) {
    if (std::string_view bytes; AsciiCell(row, kColVarName, bytes) && !bytes.empty()) {
        const std::string_view described = DescribedVarName(bytes, rowIndex, buffers.asciiCut);
        texts += described;
        return static_cast<uint32_t>(described.size());
    }
    const std::u16string_view varName = row.ReadText(kColVarName, buffers.text);
    return AppendText(texts, varName.empty() ? VarNameOfChannelName(MakeChannelName(row), buffers.cut)
                                             : DescribedVarName(varName, rowIndex, buffers.cut));
}

/// Appends the record of the row at rowIndex, described as in a list of the whole table. The
/// channel name is brought in step as describing the row brings it, and formed only when the
/// variable name is made from it.
void AppendRecord(CDevRow& row, int rowIndex, SRowRecords& records, SRecordBuffers& buffers) {
    SRowRecord record;
    record.regType = row.GetInt(kColRegType);
    record.typeIndex = TypeCodeToIndex(row.GetInt(kColTypeCode), record.regType);
    record.rwFlag = row.GetInt(kColRwFlag);
    RefreshChannelName(row);
    FormAddressText(row, buffers.text);
    record.addressBytes = AppendText(records.texts, buffers.text);
    record.varNameBytes = AppendVarName(records.texts, row, rowIndex, buffers);
    record.commentBytes = AppendCell(records.texts, row, kColComment, buffers.text);
    records.rows.push_back(record);
}

/// Appends the records of the later parts behind those of the first, which are the caller's.
void JoinParts(const std::vector<SRowRecords>& later, SRowRecords& records) {
    for (const SRowRecords& part : later) {
        records.rows.insert(records.rows.end(), part.rows.begin(), part.rows.end());
        records.texts += part.texts;
    }
}

}  // namespace

VIREO_EXPORT int VireoDescribeRowRecords(CDeviceObject* device, int32_t first, int32_t count, SRowRecords& records) {
    if (first < 0 || count < 0)
        throw CInvalidArgException("rows to record: the first row and the count must not be negative (" + std::to_string(first) +
                                   ", " + std::to_string(count) + ")");
    CDevTable& table = *EnsureRecord(device).chlTable;
    const int n = table.GetRowCount();
    const int begin = std::min(first, n);
    const size_t rows = static_cast<size_t>(std::min(count, n - begin));
    // Rows are recorded side by side, each once: a row's channel name is stored anew by its part only.
    // The first part records into the caller's records, whose room is reused when the host reads
    // a large table a range at a time.
    const int parts = PartsFor(rows, kRowsPerRecordedPart);
    records.rows.clear();
    records.texts.clear();
    std::vector<SRowRecords> later(static_cast<size_t>(std::max(0, parts - 1)));
    RunParts(parts, [&](int part) {
        const int partBegin = begin + static_cast<int>(PartBegin(rows, parts, part));
        const int partEnd = begin + static_cast<int>(PartBegin(rows, parts, part + 1));
        SRowRecords& into = part == 0 ? records : later[static_cast<size_t>(part - 1)];
        into.rows.reserve(static_cast<size_t>(partEnd - partBegin));
        SRecordBuffers buffers;
        for (int i = partBegin; i < partEnd; ++i) AppendRecord(table.EditRow(i), i, into, buffers);
    });
    JoinParts(later, records);
    return n;
}
