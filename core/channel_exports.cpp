// The exports through which the host's channel dialog edits the channel table.
#include <algorithm>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/dev_record.h"
#include "core/exports.h"
#include "core/text_tables.h"
#include "platform/parallel.h"

VIREO_EXPORT int SvrGetCofigPro(CDeviceObject*, CStringArray& registerNames, CArray<int32_t>& registerAccess,
                                CDataTypeArray& dataTypes, CStringArray& paramNames, CStringArray& paramDefaults) {
    registerNames.RemoveAll();
    registerAccess.RemoveAll();
    dataTypes.Reset(kRegisterTypeCount);
    for (int reg = 0; reg < kRegisterTypeCount; ++reg) {
        registerNames.Add(Text(kRegisterTypeTexts, reg));
        registerAccess.Add(RegisterTypeAt(reg)->accessClass);
        CStringArray texts;
        for (int t = 0; t < kDataTypesPerRegister; ++t) texts.Add(Text(kDataTypeTexts, reg * kDataTypesPerRegister + t));
        dataTypes.Set(reg, texts);
    }
    paramNames.RemoveAll();
    paramNames.Add(Text(kParameterNameTexts, 0));
    paramDefaults.RemoveAll();
    paramDefaults.Add(u"128");
    return 1;
}

VIREO_EXPORT int SvrSetChlInfo(CDeviceObject* device, SChlInfo& info) {
    SDevRecord& record = EnsureRecord(device);
    std::vector<CDevRow> rows;
    const bool built = BuildRows(info, rows) == 1 && !rows.empty();
    const int position = built ? record.chlTable->MergeRows(std::move(rows), true) : -1;
    SaveRecord(record, *device->archive);
    return built ? position + 1 : 0;
}

namespace {

/// The fewest rows worth a part of their own when rows are described side by side.
constexpr size_t kRowsPerDescribedPart = 4096;

/// How many of the indices, from the first on, lie within a table of n rows.
int IndicesWithin(const CArray<int32_t>& indices, int n) {
    int valid = 0;
    while (valid < indices.GetSize() && indices[valid] >= 0 && indices[valid] < n) ++valid;
    return valid;
}

/// True when the first count indices rise: no row is listed twice.
bool IndicesRise(const CArray<int32_t>& indices, int count) {
    for (int i = 1; i < count; ++i)
        if (indices[i] <= indices[i - 1]) return false;
    return true;
}

}  // namespace

VIREO_EXPORT int SvrGetChlInfo(CDeviceObject* device, CArray<int32_t>& indices, CArray<SChlInfo>& infos) {
    SDevRecord& record = EnsureRecord(device);
    CDevTable& table = *record.chlTable;
    const int n = table.GetRowCount();
    if (indices.GetSize() > n) return 0;
    if (indices.IsEmpty()) {
        indices.SetSize(n);
        for (int i = 0; i < n; ++i) indices[i] = i;
    }
    const int k = indices.GetSize();
    const int held = std::min(infos.GetSize(), k);  // descriptions the host's list held before
    infos.SetSize(k);
    // The rows before the first index outside the table are described, and then 0 is returned.
    const int valid = IndicesWithin(indices, n);
    auto describe = [&](int i) {
        // Described in place: describing sets every field but the extra parameters, which a new
        // description has none of; the places SetSize added are new descriptions already. A list
        // described again keeps its texts' storage.
        if (i < held) {
            infos[i].paramNames.RemoveAll();
            infos[i].paramValues.RemoveAll();
        }
        DescribeRow(table.EditRow(indices[i]), indices[i], i, infos[i]);
    };
    // Describing a row may store its channel name anew, so rows are described side by side only
    // when none is listed twice; a host describing its whole table lists every row once, in order.
    const int parts = IndicesRise(indices, valid) ? PartsFor(static_cast<size_t>(valid), kRowsPerDescribedPart) : 1;
    RunParts(parts, [&](int part) {
        const int end = static_cast<int>(PartBegin(static_cast<size_t>(valid), parts, part + 1));
        for (int i = static_cast<int>(PartBegin(static_cast<size_t>(valid), parts, part)); i < end; ++i) describe(i);
    });
    return valid < k ? 0 : n;
}

VIREO_EXPORT int SvrDeleteChlInfo(CDeviceObject* device, CArray<int32_t>& indices) {
    SDevRecord& record = EnsureRecord(device);
    CDevTable& table = *record.chlTable;
    if (table.GetRowCount() == 0) return 1;
    if (indices.IsEmpty()) {
        table.RemoveAllRows();
    } else {
        std::sort(indices.begin(), indices.end());  // the host sees its list sorted, as it always has
        table.RemoveRowsAt(indices.Items());
    }
    SaveRecord(record, *device->archive);
    return 1;
}

VIREO_EXPORT int SvrGetChannel(CDeviceObject* device, CStringArray& names, CArray<int32_t>& kinds) {
    SDevRecord& record = EnsureRecord(device);
    // The lists start with the status channel, which the rows then replace (an empty table leaves
    // both lists empty).
    names.SetSize(1);
    names[0] = Text(kStatusChannelText, 0);
    kinds.SetSize(1);
    kinds[0] = 1;
    const CDevTable& table = *record.chlTable;
    names.SetSize(table.GetRowCount());
    kinds.SetSize(table.GetRowCount());
    for (int i = 0; i < table.GetRowCount(); ++i) {
        const CDevRow& row = table.GetRow(i);
        names[i] = row.GetText(kColChannelName);
        const int kind = ChannelKind(row.GetInt(kColTypeCode));
        kinds[i] = row.GetInt(kColRwFlag) == kWriteOnly ? -kind : kind;
    }
    return 1;
}
